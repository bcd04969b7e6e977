#pragma once

#include <cstdint>
#include <vector>

#include "text/Text.h"

namespace tunelark {

// The cells a search found for one result row, column 0 first (number, artist, title, page
// link); the later columns start empty.
using FoundRow = std::vector<Text>;

[[nodiscard]] FoundRow MakeFoundRow(int32_t number, Text artist, Text title, Text pageLink);

}  // namespace tunelark
