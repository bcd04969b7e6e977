// The GBK, UTF-16 and UTF-8 conversions: no crash and no empty output on any bytes, and round
// trips that give back texts made only of valid characters.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "fuzz/FuzzSupport.h"
#include "text/CodePage.h"

namespace tunelark {
namespace {

constexpr char16_t kReplacement = u'\xFFFD';
constexpr char16_t kSubstitute = u'\x1A';

std::string_view UpToZeroByte(std::string_view bytes) {
    return bytes.substr(0, bytes.find('\0'));
}

bool EndsInZeroUnit(const Utf16Bytes& bytes) {
    return bytes.size() >= 2 && bytes[bytes.size() - 1] == '\0' && bytes[bytes.size() - 2] == '\0';
}

// Whether the bytes are one GBK character the code page maps to a character of its own.
bool IsValidGbkCharacter(const Text& character) {
    const Utf16Bytes units = GbkToUtf16(character, true);
    if (units.size() != 2) return false;
    const auto unit = static_cast<char16_t>(static_cast<unsigned char>(units[0]) |
                                            static_cast<unsigned char>(units[1]) << 8);
    return unit != kReplacement && unit != kSubstitute && unit != 0;
}

// The valid characters of the bytes, in order: a byte that starts no valid character is left out.
Text ValidGbkCharacters(std::string_view bytes) {
    Text valid;
    for (std::size_t at = 0; at < bytes.size();) {
        const auto lead = static_cast<unsigned char>(bytes[at]);
        const bool pair = lead >= 0x81 && lead <= 0xFE && at + 1 < bytes.size();
        const Text twoBytes(bytes.substr(at, 2));
        if (pair && IsValidGbkCharacter(twoBytes)) {
            valid += twoBytes;
            at += 2;
            continue;
        }
        const Text oneByte(1, bytes[at]);
        if (IsValidGbkCharacter(oneByte)) valid += oneByte;
        ++at;
    }
    return valid;
}

// Strict UTF-8: shortest forms, no surrogates, nothing past U+10FFFF.
bool IsValidUtf8(std::string_view bytes) {
    for (std::size_t at = 0; at < bytes.size();) {
        const auto byte = static_cast<unsigned char>(bytes[at]);
        const std::size_t length = byte < 0x80 ? 1 : byte >= 0xF0 ? 4 : byte >= 0xE0 ? 3 : 2;
        if ((byte >= 0x80 && byte < 0xC2) || byte > 0xF4 || at + length > bytes.size()) {
            return false;
        }
        char32_t point = length == 1 ? byte : byte & (0x3F >> (length - 1));
        for (std::size_t i = 1; i < length; ++i) {
            const auto next = static_cast<unsigned char>(bytes[at + i]);
            if ((next & 0xC0) != 0x80) return false;
            point = point << 6 | (next & 0x3F);
        }
        const char32_t shortest = length == 1   ? 0
                                  : length == 2 ? 0x80
                                  : length == 3 ? 0x800
                                                : 0x10000;
        if (point < shortest || point > 0x10FFFF || (point >= 0xD800 && point <= 0xDFFF)) {
            return false;
        }
        at += length;
    }
    return true;
}

void CheckAnyBytes(const std::string& bytes) {
    const bool empty = UpToZeroByte(bytes).empty();
    const Utf16Bytes units = GbkToUtf16(bytes);
    Require(empty == units.empty(), "GBK -> UTF-16 is empty exactly for an empty text");
    Require(empty || EndsInZeroUnit(units), "GBK -> UTF-16 ends in its terminator");
    Require(units.size() % 2 == 0, "UTF-16 comes in whole units");
    Require(GbkToUtf16(bytes, true) == units.substr(0, units.size() - (empty ? 0 : 2)),
            "the form without terminator differs only by it");

    const std::string utf8 = GbkToUtf8(bytes);
    Require(empty == utf8.empty(), "GBK -> UTF-8 is empty exactly for an empty text");
    Require(IsValidUtf8(utf8), "GBK -> UTF-8 gives valid UTF-8");
    const Text fromUtf8 = Utf8ToGbk(bytes);
    Require(empty == fromUtf8.empty(), "UTF-8 -> GBK is empty exactly for an empty text");
    Require(fromUtf8.find('\0') == Text::npos, "UTF-8 -> GBK gives no zero byte");

    // The bytes read as UTF-16 in turn.
    const Text fromUtf16 = Utf16ToGbk(bytes);
    Require(fromUtf16.find('\0') == Text::npos, "UTF-16 -> GBK gives no zero byte");
    for (int codePage : {kCodePageAnsi, kCodePageGbk, kCodePageUtf8, 1252, -1}) {
        const std::string text = Utf16ToCodePage(bytes, codePage);
        Require(text.find('\0') == std::string::npos, "UTF-16 -> code page gives no zero byte");
        Require(empty == CodePageToUtf16(bytes, codePage).empty(),
                "code page -> UTF-16 is empty exactly for an empty text");
    }
}

void CheckRoundTrips(const std::string& bytes) {
    const Text gbk = ValidGbkCharacters(UpToZeroByte(bytes));
    Require(Utf16ToGbk(GbkToUtf16(gbk)) == gbk, "GBK -> UTF-16 -> GBK gives the text back");
    Require(Utf8ToGbk(GbkToUtf8(gbk)) == gbk, "GBK -> UTF-8 -> GBK gives the text back");
    Require(Utf16ToCodePage(CodePageToUtf16(gbk, kCodePageGbk)) == gbk,
            "code page 936 -> UTF-16 -> ANSI gives the text back");

    const std::string_view utf8 = UpToZeroByte(bytes);
    if (IsValidUtf8(utf8)) {
        Require(Utf16ToCodePage(CodePageToUtf16(std::string(utf8)), kCodePageUtf8) == utf8,
                "UTF-8 -> UTF-16 -> UTF-8 gives the text back");
    }
}

}  // namespace
}  // namespace tunelark

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    tunelark::CheckAnyBytes(bytes);
    tunelark::CheckRoundTrips(bytes);
    return 0;
}
