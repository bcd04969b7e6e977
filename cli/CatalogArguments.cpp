#include "cli/CatalogArguments.h"

#include <algorithm>

#include "text/CodePage.h"

namespace tunelark::cli {

std::optional<CatalogArguments> ParseCatalogArguments(const std::vector<std::string>& arguments) {
    CatalogArguments parsed;
    bool flagsEnded = false;
    for (size_t i = 0; i < arguments.size(); ++i) {
        const std::string& word = arguments[i];
        if (flagsEnded || word.empty() || word[0] != '-') {
            parsed.words.push_back(word);
        } else if (word == "--") {
            flagsEnded = true;
        } else if (word == "--mv") {
            parsed.mv = true;
        } else if ((word == "--quality" || word == "--dir") && i + 1 < arguments.size()) {
            (word == "--quality" ? parsed.quality : parsed.folder) = arguments[++i];
        } else {
            return std::nullopt;
        }
    }
    return parsed;
}

std::string TerminalField(const Text& text) {
    std::string field = GbkToUtf8(text);
    std::ranges::replace_if(
        field, [](char c) { return static_cast<unsigned char>(c) < 0x20 || c == 0x7F; }, ' ');
    return field;
}

}  // namespace tunelark::cli
