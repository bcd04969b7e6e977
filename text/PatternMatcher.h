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
// character literal, global non-overlapping matches.
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
    [[nodiscard]] Text ReplaceMatches(const Text& replacement) const;
    [[nodiscard]] int32_t MatchCount() const;
    // position, when given, receives the match's 0-based byte offset in the subject.
    [[nodiscard]] Text MatchText(int32_t matchIndex, int32_t* position = nullptr) const;
    [[nodiscard]] Text CaptureText(int32_t matchIndex, int32_t groupIndex,
                                   int32_t* position = nullptr) const;
    [[nodiscard]] int32_t CaptureCount() const;

private:
    struct State;
    std::unique_ptr<State> state_;
};

}  // namespace tunelark
