#pragma once

#include <QString>

#include "text/Text.h"

namespace tunelark {

// The one place where the player's system texts (GBK) meet Qt's strings.
[[nodiscard]] QString ToQString(const Text& text);
[[nodiscard]] Text ToText(const QString& string);

}  // namespace tunelark
