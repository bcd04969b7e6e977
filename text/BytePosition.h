#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "text/Text.h"

namespace tunelark {

// The 0-based byte offset in the GBK subject of a text that the engine found at character
// (code unit) offset unitOffset of the decoded subject; -1 when it cannot be found there.
//
// The bytes before that character, converted back, give the offset directly whenever they
// round-trip (any valid GBK text). Otherwise the text is searched for from the byte position
// equal to the character offset, which never lies beyond its true place, comparing whole
// characters and folding ASCII letters when the search ignored case.
[[nodiscard]] int32_t BytePosition(const Text& subject, std::u16string_view subjectUnits,
                                   std::size_t unitOffset, const Text& found, bool ignoreCase);

}  // namespace tunelark
