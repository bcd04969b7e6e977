#include "text/PatternMatcher.h"

#include <array>
#include <limits>
#include <string>
#include <utility>

#include "text/BytePosition.h"
#include "text/CompiledPattern.h"
#include "text/TextHelpers.h"
#include "text/Utf16Units.h"

namespace tunelark {

struct PatternMatcher::State {
    std::u16string pattern;
    // Empty before a Search and after one whose pattern the engine rejected.
    std::shared_ptr<const CompiledPattern> compiled;
    Text subject;
    std::u16string subjectUnits;
    MatchOffsets matches;
    bool ignoreCase = true;
    bool global = true;

    [[nodiscard]] Text Read(std::size_t match, std::size_t group, int32_t* position) const;
};

namespace {

Text WithQuotes(const Text& pattern) {
    const std::array<Replacement, 1> quote{{{kQuoteMarker, "\""}}};
    return ReplaceMany(pattern, std::nullopt, 1, true, quote);
}

int32_t ToInt32(std::size_t count) {
    return count > std::numeric_limits<int32_t>::max() ? std::numeric_limits<int32_t>::max()
                                                       : static_cast<int32_t>(count);
}

}  // namespace

Text PatternMatcher::State::Read(std::size_t match, std::size_t group, int32_t* position) const {
    const auto span = matches.Get(match, group);
    if (!span) return {};
    const std::u16string_view units(subjectUnits);
    Text text = UnitsToGbk(units.substr(span->start, span->end - span->start));
    if (position != nullptr) {
        // A capture is placed from its own start, not from the start of its match, so an
        // equal text earlier in the match is not taken for it.
        *position = BytePosition(subject, units, span->start, text, ignoreCase);
    }
    return text;
}

PatternMatcher::PatternMatcher() : state_(std::make_unique<State>()) {}
PatternMatcher::~PatternMatcher() = default;
PatternMatcher::PatternMatcher(PatternMatcher&&) noexcept = default;
PatternMatcher& PatternMatcher::operator=(PatternMatcher&&) noexcept = default;

PatternMatcher::PatternMatcher(const PatternMatcher& other)
    : state_(other.state_ ? std::make_unique<State>(*other.state_) : std::make_unique<State>()) {}

PatternMatcher& PatternMatcher::operator=(const PatternMatcher& other) {
    if (this != &other) PatternMatcher(other).state_.swap(state_);
    return *this;
}

bool PatternMatcher::Search(const Text& pattern, const Text& subject, bool caseSensitive,
                            bool multiLine, bool global, bool quoteMarker) {
    auto next = std::make_unique<State>();
    next->pattern = GbkToUnits(quoteMarker ? WithQuotes(pattern) : pattern);
    next->ignoreCase = !caseSensitive;
    next->global = global;
    next->compiled = CompiledPattern::Compile(next->pattern, {!caseSensitive, multiLine});
    if (next->compiled) {
        next->subject = subject;
        next->subjectUnits = GbkToUnits(subject);
        next->matches = next->compiled->FindAll(next->subjectUnits, global);
    }
    state_ = std::move(next);
    return state_->compiled != nullptr;
}

Text PatternMatcher::PatternText() const {
    return state_ ? UnitsToGbk(state_->pattern) : Text();
}

Text PatternMatcher::ReplaceMatches(const Text& replacement) const {
    if (!state_ || !state_->compiled) return {};
    const auto replaced =
        state_->compiled->Substitute(state_->subjectUnits, GbkToUnits(replacement), state_->global);
    return replaced ? UnitsToGbk(*replaced) : Text();
}

int32_t PatternMatcher::MatchCount() const {
    return state_ ? ToInt32(state_->matches.MatchCount()) : 0;
}

Text PatternMatcher::MatchText(int32_t matchIndex, int32_t* position) const {
    if (position != nullptr) *position = -1;
    if (!state_ || matchIndex < 1) return {};
    return state_->Read(static_cast<std::size_t>(matchIndex) - 1, 0, position);
}

Text PatternMatcher::CaptureText(int32_t matchIndex, int32_t groupIndex, int32_t* position) const {
    if (position != nullptr) *position = -1;
    if (!state_ || matchIndex < 1 || groupIndex < 1) return {};
    return state_->Read(static_cast<std::size_t>(matchIndex) - 1,
                        static_cast<std::size_t>(groupIndex), position);
}

int32_t PatternMatcher::CaptureCount() const {
    if (!state_ || state_->matches.MatchCount() == 0) return 0;
    return ToInt32(state_->matches.GroupCount());
}

}  // namespace tunelark
