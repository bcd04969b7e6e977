#include "download/FileNames.h"

#include <cstddef>
#include <string_view>

namespace tunelark {
namespace {

constexpr size_t kMaxHostNameBytes = 240;

// Two bytes are one character only where the code page reads them so (lead 0x81-0xFE, trail
// 0x40-0xFE but 0x7F): after a stray lead byte the host reads the next byte on its own, so a
// "/" there must count as the separator it becomes.
size_t CharLength(const Text& text, size_t at) {
    if (at + 1 >= text.size()) return 1;
    const auto lead = static_cast<unsigned char>(text[at]);
    const auto trail = static_cast<unsigned char>(text[at + 1]);
    const bool pair =
        lead >= 0x81 && lead <= 0xFE && trail >= 0x40 && trail <= 0xFE && trail != 0x7F;
    return pair ? 2 : 1;
}

bool IsSeparator(char c) {
    return c == '/' || c == '\\';
}

bool NotAllowedInName(char c) {
    const auto byte = static_cast<unsigned char>(c);
    return byte < 0x20 || byte == 0x7F ||
           std::string_view("\\/:*?\"<>|").find(c) != std::string_view::npos;
}

// Bytes the character takes in UTF-8: a GBK pair is a BMP character, at most three.
size_t HostBytes(const Text& text, size_t at) {
    return static_cast<unsigned char>(text[at]) >= 0x80 ? 3 : 1;
}

}  // namespace

Text FileNameFromAddress(const Text& address) {
    // The query goes first: a "/" inside it ("?next=/a/b") does not start the name.
    size_t end = address.size();
    for (size_t i = 0; i < address.size(); i += CharLength(address, i)) {
        if (address[i] == '?') {
            end = i;
            break;
        }
    }
    size_t start = 0;
    for (size_t i = 0; i < end; i += CharLength(address, i)) {
        if (IsSeparator(address[i])) start = i + 1;
    }
    return address.substr(start, end - start);
}

Text SafeFileName(const Text& name) {
    Text safe;
    size_t hostBytes = 0;
    for (size_t i = 0; i < name.size();) {
        const size_t length = CharLength(name, i);
        hostBytes += HostBytes(name, i);
        if (hostBytes > kMaxHostNameBytes) break;
        if (length == 1 && NotAllowedInName(name[i])) {
            safe += '_';
        } else {
            safe.append(name, i, length);
        }
        i += length;
    }
    if (safe.find_first_not_of(". ") == Text::npos) return "download";
    return safe;
}

bool HasExtension(const Text& path) {
    bool extension = false;
    for (size_t i = 0; i < path.size(); i += CharLength(path, i)) {
        if (IsSeparator(path[i]) || path[i] == ' ') extension = false;
        if (path[i] == '.') extension = true;
    }
    return extension;
}

bool EndsWithSeparator(const Text& path) {
    bool separator = false;
    for (size_t i = 0; i < path.size(); i += CharLength(path, i)) separator = IsSeparator(path[i]);
    return separator;
}

}  // namespace tunelark
