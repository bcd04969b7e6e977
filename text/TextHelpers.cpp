#include "text/TextHelpers.h"

#include <algorithm>

#include "text/CodePage.h"
#include "text/GbkSearch.h"

namespace tunelark {
namespace {

// A 1-based position as a 0-based offset; positions below 1 count as 1.
std::size_t OffsetOf(int position) {
    return position < 1 ? 0 : static_cast<std::size_t>(position - 1);
}

Text WithQuotes(const Text& marker) {
    return ReplaceText(marker, kQuoteMarker, "\"", 0, kReplaceAll, false);
}

int HexValue(char digit) {
    if (digit >= '0' && digit <= '9') return digit - '0';
    if (digit >= 'A' && digit <= 'F') return digit - 'A' + 10;
    if (digit >= 'a' && digit <= 'f') return digit - 'a' + 10;
    return -1;
}

// The byte of the escape "%XY" at offset at, or -1 when no two hex digits follow the "%".
int EscapedByte(const Text& text, std::size_t at) {
    if (at + 2 >= text.size()) return -1;
    const int high = HexValue(text[at + 1]);
    const int low = HexValue(text[at + 2]);
    return (high < 0 || low < 0) ? -1 : high * 16 + low;
}

}  // namespace

Text TextBetween(const Text& text, const Text& startMarker, const Text& endMarker,
                 int startPosition, bool ignoreCase) {
    const Text start = WithQuotes(startMarker);
    const Text end = WithQuotes(endMarker);
    const std::size_t startAt = FindText(text, start, OffsetOf(startPosition), ignoreCase);
    if (startAt == kNotFound) return {};
    const std::size_t begin = startAt + start.size();
    const std::size_t endAt = FindText(text, end, begin, ignoreCase);
    if (endAt == kNotFound) return {};
    return text.substr(begin, endAt - begin);
}

Text TextAfterLast(const Text& text, const Text& marker, std::optional<int> limitPosition,
                   bool ignoreCase) {
    // The marker must end before the limit position, that is at or before offset limit - 1.
    const std::size_t end =
        limitPosition ? std::min(OffsetOf(*limitPosition), text.size()) : text.size();
    const std::size_t at = FindLastText(text, marker, end, ignoreCase);
    return at == kNotFound ? Text() : text.substr(at + marker.size());
}

Text UrlDecode(const Text& text, bool fromUtf8) {
    Text decoded;
    decoded.reserve(text.size());
    for (std::size_t at = 0; at < text.size(); ++at) {
        const int byte = text[at] == '%' ? EscapedByte(text, at) : -1;
        if (byte < 0) {
            decoded.push_back(text[at]);  // also a "%" that starts no escape
            continue;
        }
        if (byte != 0) decoded.push_back(static_cast<char>(byte));  // a text holds no zero
        at += 2;
    }
    return fromUtf8 ? Utf8ToGbk(decoded) : decoded;
}

Text ReplaceMany(const Text& text, std::optional<int> count, int startPosition, bool caseSensitive,
                 std::span<const Replacement> pairs) {
    // A negative count, like an omitted one, replaces every match.
    const std::size_t maxCount =
        (!count || *count < 0) ? kReplaceAll : static_cast<std::size_t>(*count);
    Text result = text;
    for (const Replacement& pair : pairs) {
        result = ReplaceText(result, pair.find, pair.replacement, OffsetOf(startPosition), maxCount,
                             !caseSensitive);
    }
    return result;
}

Text ReplaceMany(const Text& text, std::initializer_list<Replacement> pairs) {
    return ReplaceMany(text, std::nullopt, 1, false, std::span(pairs.begin(), pairs.size()));
}

}  // namespace tunelark
