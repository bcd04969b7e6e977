#include "player/QtText.h"

#include "text/CodePage.h"

namespace tunelark {

QString ToQString(const Text& text) {
    // Little-endian bytes are assembled by hand so that the host's byte order does not matter.
    const Utf16Bytes bytes = GbkToUtf16(text, true);
    QString result;
    result.reserve(static_cast<qsizetype>(bytes.size() / 2));
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
        const auto low = static_cast<unsigned char>(bytes[i]);
        const auto high = static_cast<unsigned char>(bytes[i + 1]);
        result.append(QChar(static_cast<char16_t>(low | (high << 8))));
    }
    return result;
}

Text ToText(const QString& string) {
    Utf16Bytes bytes;
    bytes.reserve(static_cast<std::size_t>(string.size()) * 2);
    for (const QChar unit : string) {
        bytes.push_back(static_cast<char>(unit.unicode() & 0xFF));
        bytes.push_back(static_cast<char>(unit.unicode() >> 8));
    }
    return Utf16ToGbk(bytes);
}

}  // namespace tunelark
