#include "net/CharsetDecoding.h"

#include <unicode/ucnv.h>

#include <memory>

#include "text/CodePage.h"
#include "text/PatternMatcher.h"

namespace tunelark {
namespace {

constexpr std::size_t kDeclarationWindow = 1024;
constexpr char16_t kByteOrderMark = u'\xFEFF';

struct ConverterCloser {
    void operator()(UConverter* converter) const { ucnv_close(converter); }
};

// The converter is opened per call: page-given names must not pile up in a cache.
std::optional<std::u16string> Decode(std::string_view body, const std::string& charset) {
    UErrorCode error = U_ZERO_ERROR;
    std::unique_ptr<UConverter, ConverterCloser> converter(ucnv_open(charset.c_str(), &error));
    if (U_FAILURE(error)) return std::nullopt;
    const auto length = static_cast<int32_t>(body.size());
    std::u16string units(body.size() + 1, u'\0');
    int32_t written = 0;
    // One unit per byte is enough for most charsets; the rest report what they need.
    for (int attempt = 0; attempt < 2; ++attempt) {
        error = U_ZERO_ERROR;
        ucnv_reset(converter.get());
        written = ucnv_toUChars(converter.get(), units.data(), static_cast<int32_t>(units.size()),
                                body.data(), length, &error);
        if (error != U_BUFFER_OVERFLOW_ERROR) break;
        units.resize(static_cast<std::size_t>(written) + 1);
    }
    if (U_FAILURE(error)) return std::nullopt;
    units.resize(static_cast<std::size_t>(written));
    if (units.starts_with(kByteOrderMark)) units.erase(0, 1);
    return units;
}

Utf16Bytes ToLittleEndianBytes(const std::u16string& units) {
    Utf16Bytes bytes;
    bytes.reserve(2 * units.size());
    for (char16_t unit : units) {
        bytes += static_cast<char>(unit & 0xFF);
        bytes += static_cast<char>(unit >> 8);
    }
    return bytes;
}

}  // namespace

Text DeclaredCharset(const Text& text) {
    PatternMatcher matcher;
    if (!matcher.Search(kMetaCharsetPattern, text.substr(0, kDeclarationWindow))) {
        return {};
    }
    return matcher.CaptureText(1, 1);
}

std::optional<Text> DecodeToGbk(std::string_view body, const std::string& charset) {
    const auto units = Decode(body, charset);
    if (!units) return std::nullopt;
    return Utf16ToGbk(ToLittleEndianBytes(*units));
}

Text ApplyDeclaredCharset(const Text& text, std::string_view body) {
    const Text charset = DeclaredCharset(text);
    if (charset.empty() || charset == "gbk" || charset == "gb2312") return text;
    return DecodeToGbk(body, charset).value_or(text);
}

Text PageText(std::string_view body) {
    return ApplyDeclaredCharset(Text(body.substr(0, body.find('\0'))), body);
}

}  // namespace tunelark
