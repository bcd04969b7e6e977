// TextBetween, TextAfterLast, UrlDecode and ReplaceMany with texts, markers, positions and
// flags all taken from the input.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include "fuzz/FuzzSupport.h"
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
    return 0;
}
