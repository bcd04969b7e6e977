#include "text/GbkSearch.h"

namespace tunelark {
namespace {

bool IsLeadByte(char byte) {
    return static_cast<unsigned char>(byte) >= 0x80;
}

char FoldAscii(char byte) {
    return (byte >= 'A' && byte <= 'Z') ? static_cast<char>(byte + 32) : byte;
}

// The first character start at or after from; past the end when from is.
std::size_t CharacterAtOrAfter(std::string_view text, std::size_t from) {
    if (from > text.size()) return from;
    std::size_t at = 0;
    while (at < from) at = NextCharacter(text, at);
    return at;
}

// Letters are folded only where the needle holds a one-byte character; the bytes of two-byte
// characters must be equal (0x81 0x61 is not 0x81 0x41).
bool MatchesFoldedAt(std::string_view text, std::string_view needle, std::size_t at) {
    for (std::size_t i = 0; i < needle.size(); ++i) {
        if (IsLeadByte(needle[i]) && i + 1 < needle.size()) {
            if (text[at + i] != needle[i] || text[at + i + 1] != needle[i + 1]) return false;
            ++i;
        } else if (FoldAscii(text[at + i]) != FoldAscii(needle[i])) {
            return false;
        }
    }
    return true;
}

std::size_t FindExact(std::string_view text, std::string_view needle, std::size_t at) {
    while (at <= text.size()) {
        const std::size_t hit = text.find(needle, at);
        if (hit == kNotFound) return kNotFound;
        while (at < hit) at = NextCharacter(text, at);
        if (at == hit) return hit;  // else the hit began on a second byte: look on from at
    }
    return kNotFound;
}

std::size_t FindFolded(std::string_view text, std::string_view needle, std::size_t at) {
    for (; at <= text.size() && needle.size() <= text.size() - at; at = NextCharacter(text, at)) {
        if (MatchesFoldedAt(text, needle, at)) return at;
    }
    return kNotFound;
}

// at must be a character start (or past the end).
std::size_t FindFromCharacter(std::string_view text, std::string_view needle, std::size_t at,
                              bool ignoreCase) {
    return ignoreCase ? FindFolded(text, needle, at) : FindExact(text, needle, at);
}

}  // namespace

std::size_t NextCharacter(std::string_view text, std::size_t at) {
    if (at + 1 < text.size() && IsLeadByte(text[at])) return at + 2;
    return at + 1;
}

std::size_t FindText(std::string_view text, std::string_view needle, std::size_t from,
                     bool ignoreCase) {
    return FindFromCharacter(text, needle, CharacterAtOrAfter(text, from), ignoreCase);
}

std::size_t FindLastText(std::string_view text, std::string_view needle, std::size_t end,
                         bool ignoreCase) {
    std::size_t last = kNotFound;
    for (std::size_t at = 0;; at = NextCharacter(text, at)) {
        at = FindFromCharacter(text, needle, at, ignoreCase);
        if (at == kNotFound || at + needle.size() > end) return last;
        last = at;
    }
}

Text ReplaceText(std::string_view text, std::string_view find, std::string_view replacement,
                 std::size_t from, std::size_t maxCount, bool ignoreCase) {
    std::size_t at = CharacterAtOrAfter(text, from);
    if (find.empty() || at > text.size()) return Text(text);
    Text result;
    std::size_t copied = 0;
    for (std::size_t done = 0; done < maxCount; ++done) {
        const std::size_t hit = FindFromCharacter(text, find, at, ignoreCase);
        if (hit == kNotFound) break;
        result.append(text.substr(copied, hit - copied)).append(replacement);
        copied = hit + find.size();
        // A find text ending in a lone lead byte may stop inside a character.
        for (at = hit; at < copied;) at = NextCharacter(text, at);
    }
    return result.append(text.substr(copied));
}

}  // namespace tunelark
