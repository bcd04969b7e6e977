#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "text/Text.h"

namespace tunelark {

// One regular expression run over one subject text; matches and capture groups are handed out
// by 1-based index. Pattern and subject are GBK texts decoded to characters for the engine
// (PCRE2, 16-bit), so a two-byte character is one character to it. The dialect: lazy
// quantifiers, "." matching anything but LF, ASCII \w (also inside classes), every other
// character literal, global non-overlapping matches. Ignoring case follows the engine's Unicode
// case folding (full-width and accented letters fold too; the bytes of a GBK character never
// do). An attempt that exceeds the engine's work limits (catastrophic backtracking on a hostile
// subject), or a search that has run for two seconds, ends the search; the matches found before
// are kept.
//
// Every failed or out-of-range read gives "" or 0. Copies share the compiled pattern.
class PatternMatcher final {
public:
    PatternMatcher();
    ~PatternMatcher();
    PatternMatcher(const PatternMatcher&);
    PatternMatcher& operator=(const PatternMatcher&);
    PatternMatcher(PatternMatcher&&) noexcept;
    PatternMatcher& operator=(PatternMatcher&&) noexcept;

    // True when the pattern compiled and the search ran, whether or not anything matched.
    // quoteMarker: every "#引号" in the pattern stands for a double quote.
    bool Search(const Text& pattern, const Text& subject, bool caseSensitive = false,
                bool multiLine = true, bool global = true, bool quoteMarker = false);

    [[nodiscard]] Text PatternText() const;
    // The engine's replacement syntax ($1, ${1}, $$); "" before any Search, after a failed one,
    // and when the engine rejects the replacement or gives up on the subject.
    [[nodiscard]] Text ReplaceMatches(const Text& replacement) const;
    [[nodiscard]] int32_t MatchCount() const;
    // position, when given, receives the 0-based byte offset in the subject of the match (or of
    // the capture), or -1 when the read fails.
    [[nodiscard]] Text MatchText(int32_t matchIndex, int32_t* position = nullptr) const;
    [[nodiscard]] Text CaptureText(int32_t matchIndex, int32_t groupIndex,
                                   int32_t* position = nullptr) const;
    [[nodiscard]] int32_t CaptureCount() const;

private:
    struct State;
    std::unique_ptr<State> state_;
};

}  // namespace tunelark
