#pragma once

#include <filesystem>

#include "text/Text.h"

namespace tunelark {

// Where drive-letter paths live: $TUNELARK_DRIVE_ROOT, else the user's music folder.
[[nodiscard]] std::filesystem::path DriveRoot();

// A system path (GBK, "\" separators, maybe a drive prefix "X:") as a host path: the drive
// prefix maps to DriveRoot(), "\" becomes "/", an absolute POSIX path is kept as it is.
// "D:\音乐下载地址" -> ~/Music/音乐下载地址.
[[nodiscard]] std::filesystem::path HostPath(const Text& textPath);

}  // namespace tunelark
