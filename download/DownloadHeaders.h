#pragma once

#include <cstdint>
#include <string>

#include "text/Text.h"

namespace tunelark {

// The request header block of the length probe and of every part: four lines joined by CR LF,
// no CR LF after the last.
[[nodiscard]] const Text& DownloadHeaders();

// The line a part request adds: "Range:bytes=<first>-<last>", no spaces.
[[nodiscard]] std::string RangeLine(int64_t first, int64_t last);

}  // namespace tunelark
