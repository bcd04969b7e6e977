#include "text/MarkComposer.h"

#include <unicode/unorm2.h>

#include <cstddef>

namespace tunelark {
namespace {

// Nothing below the combining diacritical marks ever joins a character before it.
constexpr char32_t kFirstCombiningMark = 0x300;

bool IsLead(char16_t unit) {
    return unit >= 0xD800 && unit <= 0xDBFF;
}
bool IsTrail(char16_t unit) {
    return unit >= 0xDC00 && unit <= 0xDFFF;
}

// The code point at index (a lone surrogate stands for itself); index moves past it.
char32_t NextCodePoint(const std::u16string& units, std::size_t& index) {
    const char16_t unit = units[index++];
    if (IsLead(unit) && index < units.size() && IsTrail(units[index])) {
        return 0x10000 + ((char32_t{unit} - 0xD800) << 10) + (units[index++] - 0xDC00);
    }
    return unit;
}

// Writes the code point at index and returns the index after it; never longer than what it
// replaces, since a composite takes at most two units and replaces at least two.
std::size_t PutCodePoint(std::u16string& units, std::size_t index, char32_t codePoint) {
    if (codePoint < 0x10000) {
        units[index++] = static_cast<char16_t>(codePoint);
        return index;
    }
    codePoint -= 0x10000;
    units[index++] = static_cast<char16_t>(0xD800 + (codePoint >> 10));
    units[index++] = static_cast<char16_t>(0xDC00 + (codePoint & 0x3FF));
    return index;
}

}  // namespace

void ComposeMarks(std::u16string& units) {
    UErrorCode error = U_ZERO_ERROR;
    const UNormalizer2* nfc = unorm2_getNFCInstance(&error);
    if (U_FAILURE(error)) return;
    std::size_t read = 0;
    std::size_t write = 0;
    std::size_t baseStart = 0;
    char32_t base = 0;
    bool haveBase = false;
    while (read < units.size()) {
        const char32_t codePoint = NextCodePoint(units, read);
        if (haveBase && codePoint >= kFirstCombiningMark &&
            !unorm2_hasBoundaryBefore(nfc, static_cast<UChar32>(codePoint))) {
            const UChar32 composite = unorm2_composePair(nfc, static_cast<UChar32>(base),
                                                         static_cast<UChar32>(codePoint));
            if (composite >= 0) {
                base = static_cast<char32_t>(composite);
                write = PutCodePoint(units, baseStart, base);
                continue;
            }
        }
        baseStart = write;
        base = codePoint;
        haveBase = true;
        write = PutCodePoint(units, write, codePoint);
    }
    units.resize(write);
}

}  // namespace tunelark
