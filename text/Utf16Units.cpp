#include "text/Utf16Units.h"

#include <cstddef>
#include <cstdint>

#include "text/CodePage.h"

namespace tunelark {

std::u16string GbkToUnits(const Text& text) {
    const Utf16Bytes bytes = GbkToUtf16(text, true);
    std::u16string units(bytes.size() / 2, u'\0');
    for (std::size_t i = 0; i < units.size(); ++i) {
        const auto low = static_cast<std::uint8_t>(bytes[2 * i]);
        const auto high = static_cast<std::uint8_t>(bytes[2 * i + 1]);
        units[i] = static_cast<char16_t>(low | (high << 8));
    }
    return units;
}

Text UnitsToGbk(std::u16string_view units) {
    Utf16Bytes bytes;
    bytes.reserve(units.size() * 2);
    for (const char16_t unit : units) {
        bytes.push_back(static_cast<char>(unit & 0xFF));
        bytes.push_back(static_cast<char>(unit >> 8));
    }
    return Utf16ToGbk(bytes);
}

}  // namespace tunelark
