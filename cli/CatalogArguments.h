#pragma once

#include <optional>
#include <string>
#include <vector>

#include "text/Text.h"

namespace tunelark::cli {

// The arguments of the catalogue subcommands: words, "--mv", "--quality LABEL", "--dir DIR".
struct CatalogArguments {
    std::vector<std::string> words;  // the positional arguments, UTF-8
    bool mv = false;
    std::optional<std::string> quality;
    std::optional<std::string> folder;
};

// nullopt when a flag lacks its value or is unknown. A lone "--" ends the flags, so a keyword
// may begin with "-".
[[nodiscard]] std::optional<CatalogArguments> ParseCatalogArguments(
    const std::vector<std::string>& arguments);

// A system text as one terminal field: UTF-8, with tabs, line breaks and other control
// characters (which a reply may hold) shown as spaces so they cannot split the line.
[[nodiscard]] std::string TerminalField(const Text& text);

}  // namespace tunelark::cli
