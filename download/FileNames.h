#pragma once

#include "text/Text.h"

namespace tunelark {

// The text of an address before its first "?" and after the last "/" or "\" there. May be
// empty.
[[nodiscard]] Text FileNameFromAddress(const Text& address);

// A name from the network made safe to create inside the chosen folder: no separator or other
// character file names do not allow (each becomes "_"), never "", "." or "..", at most 240
// bytes once converted for the host (room for a ".part" suffix), no character split.
[[nodiscard]] Text SafeFileName(const Text& name);

// Whether the last component of a path has an extension: a "." after the last separator with
// no space after it.
[[nodiscard]] bool HasExtension(const Text& path);

// Whether the path's last character is "\" or "/" (not the second byte of a GBK character).
[[nodiscard]] bool EndsWithSeparator(const Text& path);

}  // namespace tunelark
