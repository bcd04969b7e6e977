#include "text/CodePage.h"

#include <cstddef>
#include <string_view>

#include "text/ConverterCache.h"
#include "text/MarkComposer.h"

namespace tunelark {
namespace {

// Texts hold no zero byte; like the C strings they stand for, they end at the first one.
std::string_view UpToZeroByte(std::string_view text) {
    return text.substr(0, text.find('\0'));
}

// Whole code units only, up to the first zero unit.
std::string_view UpToZeroUnit(std::string_view bytes) {
    std::size_t end = 0;
    while (end + 1 < bytes.size() && (bytes[end] != '\0' || bytes[end + 1] != '\0')) end += 2;
    return bytes.substr(0, end);
}

std::u16string DecodeUtf16(std::string_view bytes) {
    std::u16string units(bytes.size() / 2, u'\0');
    for (std::size_t i = 0; i < units.size(); ++i) {
        units[i] = static_cast<char16_t>(static_cast<unsigned char>(bytes[2 * i]) |
                                         static_cast<unsigned char>(bytes[2 * i + 1]) << 8);
    }
    return units;
}

// Room for every output of a well-formed run; an exotic code page that needs more makes the
// conversion start over with twice the room.
std::size_t OutputRoom(std::size_t inputUnits, const UConverter* target) {
    return (inputUnits + 10) * static_cast<std::size_t>(ucnv_getMaxCharSize(target));
}

// One pass from one code page to another into one buffer, through ICU's internal pivot.
std::string Convert(UConverter* target, UConverter* source, std::string_view input) {
    std::string output;
    if (!target || !source) return output;
    for (std::size_t room = OutputRoom(input.size(), target);; room *= 2) {
        output.resize(room);
        char* written = output.data();
        const char* read = input.data();
        UErrorCode error = U_ZERO_ERROR;
        ucnv_convertEx(target, source, &written, output.data() + output.size(), &read,
                       input.data() + input.size(), nullptr, nullptr, nullptr, nullptr, true, true,
                       &error);
        if (error == U_BUFFER_OVERFLOW_ERROR) continue;
        output.resize(U_SUCCESS(error) ? static_cast<std::size_t>(written - output.data()) : 0);
        return output;
    }
}

std::string FromUnits(UConverter* target, const std::u16string& units) {
    std::string output;
    if (!target) return output;
    for (std::size_t room = OutputRoom(units.size(), target);; room *= 2) {
        output.resize(room);
        UErrorCode error = U_ZERO_ERROR;
        const int32_t length =
            ucnv_fromUChars(target, output.data(), static_cast<int32_t>(output.size()),
                            units.data(), static_cast<int32_t>(units.size()), &error);
        if (error == U_BUFFER_OVERFLOW_ERROR) continue;
        output.resize(U_SUCCESS(error) ? static_cast<std::size_t>(length) : 0);
        return output;
    }
}

Utf16Bytes ToUtf16(UConverter* source, std::string_view text, bool withTerminator) {
    Utf16Bytes bytes = Convert(CachedConverter(kUtf16ConverterName), source, text);
    if (withTerminator) bytes.append(2, '\0');
    return bytes;
}

}  // namespace

Utf16Bytes GbkToUtf16(const Text& text, bool withoutTerminator) {
    const std::string_view input = UpToZeroByte(text);
    if (input.empty()) return {};
    return ToUtf16(CachedConverter(kGbkConverterName), input, !withoutTerminator);
}

Text Utf16ToGbk(const Utf16Bytes& bytes) {
    std::u16string units = DecodeUtf16(UpToZeroUnit(bytes));
    ComposeMarks(units);
    return FromUnits(CachedConverter(kGbkConverterName), units);
}

Utf16Bytes CodePageToUtf16(const std::string& text, int codePage) {
    const std::string_view input = UpToZeroByte(text);
    if (input.empty()) return {};
    return ToUtf16(CodePageConverter(codePage), input, true);
}

std::string Utf16ToCodePage(const Utf16Bytes& bytes, int codePage) {
    UConverter* target = CodePageConverter(codePage);
    return Convert(target, CachedConverter(kUtf16ConverterName), UpToZeroUnit(bytes));
}

Text Utf8ToGbk(const std::string& utf8) {
    UConverter* target = CachedConverter(kGbkConverterName);
    return Convert(target, CachedConverter(kUtf8ConverterName), UpToZeroByte(utf8));
}

std::string GbkToUtf8(const Text& text) {
    UConverter* target = CachedConverter(kUtf8ConverterName);
    return Convert(target, CachedConverter(kGbkConverterName), UpToZeroByte(text));
}

}  // namespace tunelark
