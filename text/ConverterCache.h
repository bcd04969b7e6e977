#pragma once

#include <unicode/ucnv.h>

namespace tunelark {

// ICU converter names for the code pages the system speaks.
inline constexpr const char* kGbkConverterName = "windows-936";
inline constexpr const char* kUtf8ConverterName = "UTF-8";
inline constexpr const char* kUtf16ConverterName = "UTF-16LE";

// Opened converters live per thread, so a conversion never waits for another thread and never
// pays for opening a converter twice. Invalid input decodes to U+FFFD; characters a legacy code
// page cannot hold become "?". Returns nullptr when ICU does not know the name.
[[nodiscard]] UConverter* CachedConverter(const char* name);

// 0 and 936 are GBK, 65001 is UTF-8, any other number is ICU's "windows-N" or "ibm-N" when it
// knows one, else GBK.
[[nodiscard]] UConverter* CodePageConverter(int codePage);

}  // namespace tunelark
