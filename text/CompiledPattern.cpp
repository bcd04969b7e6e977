#include "text/CompiledPattern.h"

#include <cstdint>

namespace tunelark {
namespace {

// A hostile subject can make a backtracking pattern run for ages; past these limits the engine
// gives up on the attempt (about 0.15 s of work at most per attempt on this class of machine).
constexpr std::uint32_t kMatchLimit = 10'000'000;
constexpr std::uint32_t kDepthLimit = 1'000'000;
constexpr std::uint32_t kHeapLimitKib = 64 * 1024;

pcre2::MatchContext MakeMatchContext() {
    pcre2::MatchContext context(pcre2_match_context_create(nullptr));
    if (context) {
        pcre2_set_match_limit(context.get(), kMatchLimit);
        pcre2_set_depth_limit(context.get(), kDepthLimit);
        pcre2_set_heap_limit(context.get(), kHeapLimitKib);
    }
    return context;
}

// The resume point after an empty match: one character on, a surrogate pair counting as one.
std::size_t AfterEmptyMatch(std::u16string_view subject, std::size_t at) {
    const bool pair = at + 1 < subject.size() && subject[at] >= 0xD800 && subject[at] <= 0xDBFF &&
                      subject[at + 1] >= 0xDC00 && subject[at + 1] <= 0xDFFF;
    return at + (pair ? 2 : 1);
}

}  // namespace

void MatchOffsets::Add(const PCRE2_SIZE* ovector, std::size_t pairs) {
    const std::size_t stride = 2 * (groupCount_ + 1);
    for (std::size_t i = 0; i < stride; ++i) {
        offsets_.push_back(i < 2 * pairs ? ovector[i] : PCRE2_UNSET);
    }
}

std::size_t MatchOffsets::MatchCount() const {
    return offsets_.size() / (2 * (groupCount_ + 1));
}

std::optional<MatchOffsets::Span> MatchOffsets::Get(std::size_t match, std::size_t group) const {
    if (match >= MatchCount() || group > groupCount_) return std::nullopt;
    const std::size_t at = match * 2 * (groupCount_ + 1) + 2 * group;
    const PCRE2_SIZE start = offsets_[at];
    const PCRE2_SIZE end = offsets_[at + 1];
    if (start == PCRE2_UNSET || end == PCRE2_UNSET || end < start) return std::nullopt;
    return Span{start, end};
}

std::shared_ptr<const CompiledPattern> CompiledPattern::Compile(std::u16string_view pattern,
                                                                PatternOptions options) {
    pcre2::CompileContext context(pcre2_compile_context_create(nullptr));
    if (!context) return nullptr;
    // LF alone ends a line, so "." also takes a CR, as the CRLF pages need.
    pcre2_set_newline(context.get(), PCRE2_NEWLINE_LF);
    // UTF for whole surrogate pairs; no UCP, so \w, \d, \s and \b stay ASCII.
    std::uint32_t flags = PCRE2_UTF | PCRE2_MATCH_INVALID_UTF;
    if (options.ignoreCase) flags |= PCRE2_CASELESS;
    if (options.multiLine) flags |= PCRE2_MULTILINE;
    int error = 0;
    PCRE2_SIZE errorOffset = 0;
    pcre2::Code code(pcre2_compile(pcre2::Units(pattern), pattern.size(), flags, &error,
                                   &errorOffset, context.get()));
    if (!code) return nullptr;
    return std::make_shared<const CompiledPattern>(std::move(code));
}

MatchOffsets CompiledPattern::FindAll(std::u16string_view subject, bool global,
                                      std::chrono::steady_clock::duration budget) const {
    const auto began = std::chrono::steady_clock::now();
    MatchOffsets found(GroupCount());
    const pcre2::MatchData data(pcre2_match_data_create_from_pattern(code_.get(), nullptr));
    const pcre2::MatchContext context = MakeMatchContext();
    if (!data || !context) return found;
    std::size_t start = 0;
    while (start <= subject.size()) {
        const int pairs = pcre2_match(code_.get(), pcre2::Units(subject), subject.size(), start, 0,
                                      data.get(), context.get());
        // No match, or the engine gave up (work limits): no further matches.
        if (pairs <= 0) break;
        const PCRE2_SIZE* ovector = pcre2_get_ovector_pointer(data.get());
        found.Add(ovector, static_cast<std::size_t>(pairs));
        if (!global || std::chrono::steady_clock::now() - began >= budget) break;
        start = ovector[1] > ovector[0] ? ovector[1] : AfterEmptyMatch(subject, ovector[1]);
    }
    return found;
}

std::optional<std::u16string> CompiledPattern::Substitute(std::u16string_view subject,
                                                          std::u16string_view replacement,
                                                          bool global) const {
    const pcre2::MatchContext context = MakeMatchContext();
    if (!context) return std::nullopt;
    std::uint32_t flags = PCRE2_SUBSTITUTE_OVERFLOW_LENGTH | PCRE2_SUBSTITUTE_UNSET_EMPTY;
    if (global) flags |= PCRE2_SUBSTITUTE_GLOBAL;
    std::u16string out(subject.size() + replacement.size() + 16, u'\0');
    // The first call may only report the size needed; the second then fits.
    for (int attempt = 0; attempt < 2; ++attempt) {
        PCRE2_SIZE length = out.size();
        const int result =
            pcre2_substitute(code_.get(), pcre2::Units(subject), subject.size(), 0, flags, nullptr,
                             context.get(), pcre2::Units(replacement), replacement.size(),
                             reinterpret_cast<PCRE2_UCHAR*>(out.data()), &length);
        if (result >= 0) {
            out.resize(length);
            return out;
        }
        if (result != PCRE2_ERROR_NOMEMORY) return std::nullopt;
        out.assign(length, u'\0');
    }
    return std::nullopt;
}

std::size_t CompiledPattern::GroupCount() const {
    std::uint32_t count = 0;
    pcre2_pattern_info(code_.get(), PCRE2_INFO_CAPTURECOUNT, &count);
    return count;
}

}  // namespace tunelark
