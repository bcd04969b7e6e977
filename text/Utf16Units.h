#pragma once

#include <string>
#include <string_view>

#include "text/Text.h"

namespace tunelark {

// GBK text <-> UTF-16 code units in host form, for code that works on characters.
[[nodiscard]] std::u16string GbkToUnits(const Text& text);
[[nodiscard]] Text UnitsToGbk(std::u16string_view units);

}  // namespace tunelark
