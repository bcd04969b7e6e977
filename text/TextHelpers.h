#pragma once

#include <functional>
#include <optional>
#include <span>

#include "text/Text.h"

namespace tunelark {

// Every search here steps over two-byte GBK characters whole: a match never starts on the
// second byte of one. Case folding, where asked, touches only the ASCII letters.

// Marker that callers may write in TextBetween's markers for a double quote.
inline constexpr const char* kQuoteMarker = "#\xD2\xFD\xBA\xC5";  // "#引号"

// The bytes between the first startMarker at or after startPosition and the first endMarker
// after it; "" when either is missing.
[[nodiscard]] Text TextBetween(const Text& text, const Text& startMarker, const Text& endMarker,
                               int startPosition = 1, bool ignoreCase = false);

// Everything after the last marker lying wholly before limitPosition (default: the whole text).
[[nodiscard]] Text TextAfterLast(const Text& text, const Text& marker,
                                 std::optional<int> limitPosition = std::nullopt,
                                 bool ignoreCase = false);

// The local clock as the time stamp reads it.
struct LocalDateTime {
    int year = 1970;
    int month = 1;
    int day = 1;
    int hour = 0;
    int minute = 0;
    int second = 0;
    int millisecond = 0;
};
using LocalClock = std::function<LocalDateTime()>;

[[nodiscard]] LocalDateTime ReadLocalClock();

// Milliseconds since 1970-01-01 08:00:00 local time as 13 digits (10 in seconds form).
[[nodiscard]] Text UnixTimeMillis(bool secondsForm = false);
[[nodiscard]] Text UnixTimeMillis(bool secondsForm, const LocalClock& clock);

// Percent-escape decoding ("+" stays "+"); with fromUtf8 the result is read as UTF-8 and
// converted to GBK.
[[nodiscard]] Text UrlDecode(const Text& text, bool fromUtf8 = false);

struct Replacement {
    Text find;
    Text replacement;
};

// Applies the pairs in turn (callers pass up to five), each to the result of the one before.
// count: at most that many replacements per pair (nullopt or negative = all, 0 = none);
// startPosition below 1 counts as 1. An empty find text changes nothing.
[[nodiscard]] Text ReplaceMany(const Text& text, std::optional<int> count, int startPosition,
                               bool caseSensitive, std::span<const Replacement> pairs);
// The same with count, start position and case at their defaults.
[[nodiscard]] Text ReplaceMany(const Text& text, std::initializer_list<Replacement> pairs);

}  // namespace tunelark
