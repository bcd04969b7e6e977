#include "player/AudioLanguage.h"

#include <array>
#include <string_view>

namespace tunelark {

std::int32_t LanguageId(const std::string& isoCode) {
    struct Language {
        std::string_view code;
        std::int32_t id;
    };
    // The languages this tool's catalogue carries, by their two- and three-letter codes.
    static constexpr std::array<Language, 15> kLanguages = {{
        {"zh", 2052},
        {"zho", 2052},
        {"chi", 2052},
        {"en", 1033},
        {"eng", 1033},
        {"ja", 1041},
        {"jpn", 1041},
        {"ko", 1042},
        {"kor", 1042},
        {"fr", 1036},
        {"fre", 1036},
        {"fra", 1036},
        {"de", 1031},
        {"ger", 1031},
        {"deu", 1031},
    }};
    for (const auto& language : kLanguages) {
        if (language.code == isoCode) return language.id;
    }
    return 0;
}

}  // namespace tunelark
