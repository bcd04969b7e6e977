#pragma once

#include "text/Text.h"

namespace tunelark {

// Spaces are the ASCII space and the GBK full-width space (0xA1 0xA1), each a whole
// character: the 0xA1 that ends one character and the 0xA1 that starts the next are no space.

[[nodiscard]] Text RemoveSpaces(const Text& text);
[[nodiscard]] Text TrimSpaces(const Text& text);

}  // namespace tunelark
