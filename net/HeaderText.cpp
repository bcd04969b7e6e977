#include "net/HeaderText.h"

#include "text/GbkSearch.h"

namespace tunelark {
namespace {

constexpr std::string_view kFullWidthSpace = "\xA1\xA1";

char FoldAscii(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool IsLeadByte(char c) {
    return static_cast<unsigned char>(c) >= 0x80;
}

}  // namespace

bool EqualIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (FoldAscii(a[i]) != FoldAscii(b[i])) return false;
    }
    return true;
}

bool ContainsText(std::string_view text, std::string_view part, bool ignoreCase) {
    return FindText(text, part, 0, ignoreCase) != kNotFound;
}

Text TrimSpaces(std::string_view text) {
    // Walk whole characters so that a trailing A1 A1 is only taken when it is one character.
    std::size_t first = std::string_view::npos;
    std::size_t end = 0;
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t width = (IsLeadByte(text[at]) && at + 1 < text.size()) ? 2 : 1;
        const std::string_view character = text.substr(at, width);
        if (character != " " && character != kFullWidthSpace) {
            if (first == std::string_view::npos) first = at;
            end = at + width;
        }
        at += width;
    }
    if (first == std::string_view::npos) return {};
    return Text(text.substr(first, end - first));
}

}  // namespace tunelark
