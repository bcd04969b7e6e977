#include "text/GbkSpaces.h"

#include <string_view>

#include "text/GbkSearch.h"

namespace tunelark {
namespace {

constexpr std::string_view kFullWidthSpace = "\xA1\xA1";

std::string_view CharacterAt(std::string_view text, std::size_t at) {
    return text.substr(at, NextCharacter(text, at) - at);
}

bool IsSpace(std::string_view character) {
    return character == " " || character == kFullWidthSpace;
}

}  // namespace

Text RemoveSpaces(const Text& text) {
    Text result;
    result.reserve(text.size());
    for (std::size_t at = 0; at < text.size();) {
        const std::string_view character = CharacterAt(text, at);
        if (!IsSpace(character)) result.append(character);
        at += character.size();
    }
    return result;
}

Text TrimSpaces(const Text& text) {
    std::size_t begin = 0;
    std::size_t end = 0;  // after the last character that is no space
    bool seenNonSpace = false;
    for (std::size_t at = 0; at < text.size();) {
        const std::string_view character = CharacterAt(text, at);
        at += character.size();
        if (IsSpace(character)) {
            if (!seenNonSpace) begin = at;
            continue;
        }
        seenNonSpace = true;
        end = at;
    }
    return seenNonSpace ? text.substr(begin, end - begin) : Text();
}

}  // namespace tunelark
