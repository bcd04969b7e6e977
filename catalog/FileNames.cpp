#include "catalog/FileNames.h"

#include <algorithm>
#include <string_view>

#include "text/CodePage.h"

namespace tunelark {
namespace {

constexpr const char* kOpenQuote = "\xA1\xB6";   // 《
constexpr const char* kCloseQuote = "\xA1\xB7";  // 》
constexpr std::string_view kForbidden = "\\/:*?\"<>|";

bool IsLeadByte(unsigned char byte) {
    return byte >= 0x81 && byte <= 0xFE;
}
bool IsTrailByte(unsigned char byte) {
    return byte >= 0x40 && byte <= 0xFE && byte != 0x7F;
}

bool IsSafeSingleByte(unsigned char byte) {
    return byte >= 0x20 && byte < 0x7F &&
           kForbidden.find(static_cast<char>(byte)) == kForbidden.npos;
}

// Length of the character at `at`: 2 for a valid two-byte character, 1 otherwise.
size_t CharacterLength(const Text& text, size_t at) {
    const auto byte = static_cast<unsigned char>(text[at]);
    const bool pair = IsLeadByte(byte) && at + 1 < text.size() &&
                      IsTrailByte(static_cast<unsigned char>(text[at + 1]));
    return pair ? 2 : 1;
}

// Keeps the whole characters that fit in maxBytes.
void KeepWithin(Text& text, size_t maxBytes) {
    size_t end = 0;
    while (end < text.size() && end + CharacterLength(text, end) <= maxBytes) {
        end += CharacterLength(text, end);
    }
    text.erase(end);
}

// The text without its last character.
void DropLastCharacter(Text& text) {
    size_t last = 0;
    for (size_t at = 0; at < text.size(); at += CharacterLength(text, at)) last = at;
    text.erase(last);
}

void NeutraliseDots(Text& part) {
    if (!part.empty() && std::ranges::all_of(part, [](char c) { return c == '.'; })) {
        std::ranges::replace(part, '.', '_');
    }
}

size_t HostBytes(const Text& name) {
    return GbkToUtf8(name).size();
}

}  // namespace

Text CleanNamePart(const Text& part) {
    Text clean;
    clean.reserve(part.size());
    for (size_t at = 0; at < part.size();) {
        const size_t length = CharacterLength(part, at);
        const auto byte = static_cast<unsigned char>(part[at]);
        if (length == 2) {
            clean.append(part, at, 2);
        } else {
            clean.push_back(IsSafeSingleByte(byte) ? static_cast<char>(byte) : '_');
        }
        at += length;
    }
    NeutraliseDots(clean);
    return clean;
}

Text CatalogFileName(const Text& lead, const Text& keyword, const Text& extension) {
    Text first = CleanNamePart(lead);
    Text second = CleanNamePart(keyword);
    // Two bytes of GBK never grow past three of UTF-8, so this bounds the loop below.
    KeepWithin(first, kMaxFileNameBytes);
    KeepWithin(second, kMaxFileNameBytes);
    auto compose = [&] { return first + kOpenQuote + second + kCloseQuote + extension; };
    while (HostBytes(compose()) > kMaxFileNameBytes && !(first.empty() && second.empty())) {
        DropLastCharacter(first.size() >= second.size() ? first : second);
    }
    NeutraliseDots(first);
    NeutraliseDots(second);
    return compose();
}

Text SongFilePath(const Text& directory, const Text& artist, const Text& keyword) {
    return directory + "\\" + CatalogFileName(artist, keyword, ".MP3");
}

Text MvFilePath(const Text& directory, const Text& label, const Text& keyword) {
    return directory + "\\" + CatalogFileName(label, keyword, ".MP4");
}

}  // namespace tunelark
