// PatternMatcher with the patterns the system reads pages with, over any subject, and with any
// (short) pattern over any subject; the page readers built on those patterns too.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "catalog/MusicSearch.h"
#include "catalog/MvSearch.h"
#include "fuzz/FuzzSupport.h"
#include "net/CharsetDecoding.h"
#include "text/PatternMatcher.h"

namespace tunelark {
namespace {

constexpr std::size_t kMaxPattern = 64;
constexpr std::size_t kMaxSubject = 4096;
constexpr std::size_t kMaxReplacement = 16;
constexpr const char* kBase = "http://127.0.0.1:1";

// A read text never reaches past the subject: the matched bytes may come back with broken
// characters replaced, but never longer. (Where such a replacement keeps the text from being
// found in the subject, the position is -1 although the text was read.)
void CheckRead(const Text& subject, const Text& text, int32_t position) {
    Require(position >= -1 && position <= static_cast<int32_t>(subject.size()),
            "a position lies in the subject or is -1");
    if (position >= 0) {
        Require(static_cast<std::size_t>(position) + text.size() <= subject.size(),
                "a read text ends inside the subject");
    }
}

void ReadEverything(const PatternMatcher& matcher, const Text& subject, const Text& replacement) {
    const int32_t matches = matcher.MatchCount();
    const int32_t groups = matcher.CaptureCount();
    Require(matches >= 0 && groups >= 0, "counts are never negative");
    for (int32_t match = -1; match <= matches + 1; ++match) {
        int32_t position = 0;
        const Text text = matcher.MatchText(match, &position);
        if (match < 1 || match > matches) {
            Require(position == -1 && text.empty(), "a match out of range fails");
        }
        CheckRead(subject, text, position);
        for (int32_t group = -1; group <= groups + 1; ++group) {
            const Text capture = matcher.CaptureText(match, group, &position);
            CheckRead(subject, capture, position);
        }
    }
    (void)matcher.ReplaceMatches(replacement);
}

void CheckSystemPatterns(const Text& subject) {
    for (const Text& pattern : {Text(kMetaCharsetPattern), Text(kSongIdPattern),
                                Text(kDetailsPattern), MvAbstractPattern(), MvLinkPattern()}) {
        PatternMatcher matcher;
        Require(matcher.Search(pattern, subject), "a system pattern compiles and runs");
        ReadEverything(matcher, subject, "<$1|${2}$$>");
    }
    const Text charset = DeclaredCharset(subject);
    Require(charset.find_first_not_of("-_0123456789abcdefghijklmnopqrstuvwxyz"
                                      "ABCDEFGHIJKLMNOPQRSTUVWXYZ") == Text::npos,
            "a declared charset is a name of letters, digits, '-' and '_'");
    (void)ParseMusicSearchReply(subject, kBase);
    (void)ParseMvSearchPage(subject, kBase);
}

void CheckAnyPattern(FuzzedDataProvider& input) {
    const Text pattern = ConsumeText(input, kMaxPattern);
    const Text replacement = ConsumeText(input, kMaxReplacement);
    const bool caseSensitive = input.ConsumeBool();
    const bool multiLine = input.ConsumeBool();
    const bool global = input.ConsumeBool();
    const bool quoteMarker = input.ConsumeBool();
    const Text subject = ConsumeText(input, kMaxSubject);
    PatternMatcher matcher;
    if (!matcher.Search(pattern, subject, caseSensitive, multiLine, global, quoteMarker)) {
        Require(matcher.MatchCount() == 0, "a failed search has no matches");
        Require(matcher.ReplaceMatches(replacement).empty(), "a failed search replaces nothing");
    }
    ReadEverything(matcher, subject, replacement);
    // Copies share the compiled pattern and the results.
    const PatternMatcher copy = matcher;
    Require(copy.MatchCount() == matcher.MatchCount(), "a copy keeps the matches");
}

}  // namespace
}  // namespace tunelark

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace tunelark;
    FuzzedDataProvider input(data, size);
    if (input.ConsumeBool()) {
        CheckSystemPatterns(ConsumeText(input, kMaxSubject));
    } else {
        CheckAnyPattern(input);
    }
    return 0;
}
