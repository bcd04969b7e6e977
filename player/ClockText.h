#pragma once

#include "text/Text.h"

namespace tunelark {

// A position or duration for the user: "mm:ss", or "h:mm:ss" from one hour on. Negative or
// undefined values read "00:00".
[[nodiscard]] Text ClockText(double seconds);

}  // namespace tunelark
