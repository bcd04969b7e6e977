// TextBetween, TextAfterLast, UrlDecode and ReplaceMany with texts, markers, positions and
// flags all taken from the input.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "fuzz/FuzzSupport.h"
#include "text/GbkSearch.h"
#include "text/TextHelpers.h"

namespace tunelark {
namespace {

// Bounds keep ReplaceMany's output small: five pairs may each multiply the text's length.
constexpr std::size_t kMaxText = 512;
constexpr std::size_t kMaxMarker = 12;
constexpr std::size_t kMaxPairs = 5;
constexpr std::size_t kMaxReplacement = 6;

int Position(FuzzedDataProvider& input, const Text& text) {
    const int size = static_cast<int>(text.size());
    return input.ConsumeIntegralInRange<int>(-2, size + 2);
}

bool IsCharacterStart(std::string_view text, std::size_t offset) {
    std::size_t at = 0;
    while (at < offset) at = NextCharacter(text, at);
    return at == offset;
}

char Folded(char byte) {
    return (byte >= 'A' && byte <= 'Z') ? static_cast<char>(byte - 'A' + 'a') : byte;
}

bool EqualAt(std::string_view text, std::size_t at, std::string_view needle, bool ignoreCase) {
    if (at + needle.size() > text.size()) return false;
    for (std::size_t i = 0; i < needle.size(); ++i) {
        const bool same =
            ignoreCase ? Folded(text[at + i]) == Folded(needle[i]) : text[at + i] == needle[i];
        if (!same) return false;
    }
    return true;
}

// The searches under the helpers, against a walk over every character start.
void CheckSearches(FuzzedDataProvider& input, const Text& text) {
    const Text needle = ConsumeText(input, kMaxMarker);
    const auto from = static_cast<std::size_t>(Position(input, text) + 2);
    const bool ignoreCase = input.ConsumeBool();
    const std::size_t found = FindText(text, needle, from, ignoreCase);
    std::size_t first = kNotFound;
    std::size_t lastEndingByFrom = kNotFound;
    for (std::size_t at = 0; at < text.size(); at = NextCharacter(text, at)) {
        if (!EqualAt(text, at, needle, false)) continue;
        if (at >= from && first == kNotFound) first = at;
        if (at + needle.size() <= from) lastEndingByFrom = at;
    }
    if (found != kNotFound) {
        Require(found >= from && IsCharacterStart(text, found), "a match starts on a character");
        Require(EqualAt(text, found, needle, ignoreCase), "a match is the needle");
    }
    if (!ignoreCase && !needle.empty()) Require(found == first, "the first match is found");
    const std::size_t last = FindLastText(text, needle, from, ignoreCase);
    if (last != kNotFound) {
        Require(last + needle.size() <= from && IsCharacterStart(text, last),
                "a last match ends by the end and starts on a character");
        Require(EqualAt(text, last, needle, ignoreCase), "a last match is the needle");
    }
    if (!ignoreCase && !needle.empty()) {
        Require(last == lastEndingByFrom, "the last match is found");
    }
}

void CheckTextBetween(FuzzedDataProvider& input, const Text& text) {
    const Text start = ConsumeText(input, kMaxMarker);
    const Text end = ConsumeText(input, kMaxMarker);
    const Text between = TextBetween(text, start, end, Position(input, text), input.ConsumeBool());
    Require(text.find(between) != Text::npos, "TextBetween gives a piece of the text");
}

void CheckTextAfterLast(FuzzedDataProvider& input, const Text& text) {
    const Text marker = ConsumeText(input, kMaxMarker);
    std::optional<int> limit;
    if (input.ConsumeBool()) limit = Position(input, text);
    const Text after = TextAfterLast(text, marker, limit, input.ConsumeBool());
    Require(text.ends_with(after), "TextAfterLast gives an end of the text");
    if (!after.empty() && !marker.empty()) {
        Require(after.size() + marker.size() <= text.size(), "the marker lies in the text");
    }
}

void CheckUrlDecode(const Text& text) {
    const Text decoded = UrlDecode(text);
    Require(decoded.size() <= text.size(), "decoding never lengthens");
    Require(decoded.find('\0') == Text::npos, "a decoded text holds no zero byte");
    if (text.find('%') == Text::npos) Require(decoded == text, "no escape, no change");
    const Text fromUtf8 = UrlDecode(text, true);
    Require(fromUtf8.find('\0') == Text::npos, "a converted text holds no zero byte");
}

void CheckReplaceMany(FuzzedDataProvider& input, const Text& text) {
    std::vector<Replacement> pairs(input.ConsumeIntegralInRange<std::size_t>(0, kMaxPairs));
    for (Replacement& pair : pairs) {
        pair.find = ConsumeText(input, kMaxMarker);
        pair.replacement = ConsumeText(input, kMaxReplacement);
    }
    std::optional<int> count;
    if (input.ConsumeBool()) count = input.ConsumeIntegralInRange<int>(-2, 8);
    const int start = Position(input, text);
    const Text result = ReplaceMany(text, count, start, input.ConsumeBool(), pairs);
    bool findsNothing = true;
    for (const Replacement& pair : pairs) findsNothing = findsNothing && pair.find.empty();
    if (count == 0 || findsNothing) Require(result == text, "nothing to replace, no change");
    if (start > static_cast<int>(text.size())) {
        Require(result == text, "a start past the end changes nothing");
    }
}

}  // namespace
}  // namespace tunelark

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace tunelark;
    FuzzedDataProvider input(data, size);
    const Text text = ConsumeText(input, kMaxText);
    CheckTextBetween(input, text);
    CheckTextAfterLast(input, text);
    CheckUrlDecode(text);
    CheckReplaceMany(input, text);
    CheckSearches(input, text);
    return 0;
}
