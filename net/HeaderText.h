#pragma once

#include <string_view>

#include "text/Text.h"

namespace tunelark {

// Header names and markers compare ignoring the case of ASCII letters only.
[[nodiscard]] bool EqualIgnoringCase(std::string_view a, std::string_view b);

// Whether part occurs anywhere in text (GBK-aware; see text/GbkSearch.h).
[[nodiscard]] bool ContainsText(std::string_view text, std::string_view part, bool ignoreCase);

// Without ASCII spaces and GBK full-width spaces (A1 A1) at either end.
[[nodiscard]] Text TrimSpaces(std::string_view text);

}  // namespace tunelark
