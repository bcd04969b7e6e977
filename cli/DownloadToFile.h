#pragma once

#include <cstdint>
#include <string>

#include "text/Text.h"

namespace tunelark::cli {

// Runs one download job to its end with a progress bar on stderr; Ctrl-C stops it and removes
// its partial file. targetPath is a system path (a file, or a folder the server names the file
// in). Prints where the file went, or why nothing was saved. Returns the exit status: kExitOk
// only when every byte has arrived.
[[nodiscard]] int DownloadToFile(const Text& address, Text targetPath, int32_t threadLimit);

}  // namespace tunelark::cli
