#pragma once

// The 16-bit library: a GBK text decodes to UTF-16, one code unit per character.
#define PCRE2_CODE_UNIT_WIDTH 16
#include <pcre2.h>

#include <memory>
#include <string_view>

namespace tunelark::pcre2 {

// Owning handles for the engine's objects; each frees its object with the engine's own call.
struct CodeFree {
    void operator()(pcre2_code* code) const noexcept { pcre2_code_free(code); }
};
struct MatchDataFree {
    void operator()(pcre2_match_data* data) const noexcept { pcre2_match_data_free(data); }
};
struct CompileContextFree {
    void operator()(pcre2_compile_context* context) const noexcept {
        pcre2_compile_context_free(context);
    }
};
struct MatchContextFree {
    void operator()(pcre2_match_context* context) const noexcept {
        pcre2_match_context_free(context);
    }
};

using Code = std::unique_ptr<pcre2_code, CodeFree>;
using MatchData = std::unique_ptr<pcre2_match_data, MatchDataFree>;
using CompileContext = std::unique_ptr<pcre2_compile_context, CompileContextFree>;
using MatchContext = std::unique_ptr<pcre2_match_context, MatchContextFree>;

// char16_t and the engine's 16-bit code unit have the same size and representation.
static_assert(sizeof(char16_t) == sizeof(PCRE2_UCHAR));

[[nodiscard]] inline PCRE2_SPTR Units(std::u16string_view text) {
    return reinterpret_cast<PCRE2_SPTR>(text.data());
}

}  // namespace tunelark::pcre2
