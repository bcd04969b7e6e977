#pragma once

#include <string>

namespace tunelark {

// A system text: GBK (code page 936) bytes without an embedded zero byte. Positions into a
// text are 1-based byte positions; a search that finds nothing gives -1.
using Text = std::string;

// Little-endian UTF-16 code units as bytes, optionally ending in one zero unit.
using Utf16Bytes = std::string;

}  // namespace tunelark
