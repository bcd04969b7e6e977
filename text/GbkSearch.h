#pragma once

#include <cstddef>
#include <limits>
#include <string_view>

#include "text/Text.h"

namespace tunelark {

// Searches over GBK bytes that step over two-byte characters whole: a byte of 0x80 or above
// and the byte after it are one character, and a match only ever starts on a character.
// Offsets here are 0-based; "not found" is kNotFound. ignoreCase folds only ASCII letters.

inline constexpr std::size_t kNotFound = std::string_view::npos;
inline constexpr std::size_t kReplaceAll = std::numeric_limits<std::size_t>::max();

// The offset of the character after the one at offset at; a lead byte at the very end stands
// alone.
[[nodiscard]] std::size_t NextCharacter(std::string_view text, std::size_t at);

// The first match starting on a character at or after offset from (a from inside a
// character moves to the next one).
[[nodiscard]] std::size_t FindText(std::string_view text, std::string_view needle, std::size_t from,
                                   bool ignoreCase);

// The last match that ends at or before offset end.
[[nodiscard]] std::size_t FindLastText(std::string_view text, std::string_view needle,
                                       std::size_t end, bool ignoreCase);

// Replaces up to maxCount non-overlapping matches at or after offset from, left to right.
// An empty find text changes nothing.
[[nodiscard]] Text ReplaceText(std::string_view text, std::string_view find,
                               std::string_view replacement, std::size_t from, std::size_t maxCount,
                               bool ignoreCase);

}  // namespace tunelark
