#pragma once

#include <chrono>
#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "text/Pcre2Handles.h"

namespace tunelark {

// Where each match of one search lies, in code units of the subject: per match the start and
// end of the whole match and of every capture group, so no text is copied until it is read.
class MatchOffsets final {
public:
    struct Span {
        std::size_t start = 0;
        std::size_t end = 0;
    };

    explicit MatchOffsets(std::size_t groupCount = 0) : groupCount_(groupCount) {}

    void Add(const PCRE2_SIZE* ovector, std::size_t pairs);
    [[nodiscard]] std::size_t MatchCount() const;
    [[nodiscard]] std::size_t GroupCount() const { return groupCount_; }
    // 0-based match and group (group 0 = the whole match); nullopt when out of range or the
    // group took no part in the match.
    [[nodiscard]] std::optional<Span> Get(std::size_t match, std::size_t group) const;

private:
    std::size_t groupCount_;
    std::vector<PCRE2_SIZE> offsets_;
};

struct PatternOptions {
    bool ignoreCase = true;
    bool multiLine = true;
};

// One compiled regular expression in the scraping dialect: "." matches anything but LF, \w
// and the other classes are ASCII, case folding follows the engine's Unicode rules when asked.
// Immutable once built, so copies of a matcher may share it across threads.
class CompiledPattern final {
public:
    // nullptr when the engine rejects the pattern.
    [[nodiscard]] static std::shared_ptr<const CompiledPattern> Compile(std::u16string_view pattern,
                                                                        PatternOptions options);

    // Bounds a whole search on a hostile subject, where every match may cost the engine's
    // per-attempt limit; scraping a real reply takes milliseconds.
    static constexpr std::chrono::steady_clock::duration kSearchBudget = std::chrono::seconds(2);

    // Non-overlapping matches from left to right; only the first unless global. An attempt that
    // exhausts the engine's work limits, or a search that has run for longer than budget, ends
    // the search: the matches found before are kept.
    [[nodiscard]] MatchOffsets FindAll(
        std::u16string_view subject, bool global,
        std::chrono::steady_clock::duration budget = kSearchBudget) const;

    // The subject with its matches (or the first) replaced, using the engine's replacement
    // syntax ($1, ${1}, $$); nullopt when the engine rejects the replacement or gives up.
    [[nodiscard]] std::optional<std::u16string> Substitute(std::u16string_view subject,
                                                           std::u16string_view replacement,
                                                           bool global) const;

    [[nodiscard]] std::size_t GroupCount() const;

    explicit CompiledPattern(pcre2::Code code) : code_(std::move(code)) {}

private:
    pcre2::Code code_;
};

}  // namespace tunelark
