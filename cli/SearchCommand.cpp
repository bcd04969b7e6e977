// tunelark-cli search [--mv] KEYWORD
#include <cstdio>
#include <string>
#include <vector>

#include "catalog/CatalogSearch.h"
#include "catalog/Columns.h"
#include "cli/CatalogArguments.h"
#include "cli/Commands.h"
#include "text/CodePage.h"

namespace tunelark::cli {
namespace {

// The row as the result list holds it: every column, the ones a search leaves empty too.
void PrintRow(const FoundRow& row) {
    std::string line;
    for (int32_t column = 0; column < SongColumn::kCount; ++column) {
        if (column > 0) line += '\t';
        if (static_cast<size_t>(column) < row.size()) line += TerminalField(row[column]);
    }
    std::printf("%s\n", line.c_str());
}

}  // namespace

int RunCatalogSearch(const std::vector<std::string>& arguments) {
    const auto parsed = ParseCatalogArguments(arguments);
    if (!parsed || parsed->words.size() != 1 || parsed->quality || parsed->folder) {
        std::fprintf(stderr, "usage: tunelark-cli search [--mv] KEYWORD\n");
        return kExitUsage;
    }
    const std::string& keyword = parsed->words[0];
    const auto rows =
        FetchSearch(parsed->mv ? SearchMode::Mv : SearchMode::Music, Utf8ToGbk(keyword));
    if (rows.empty()) {
        std::fprintf(stderr,
                     "tunelark-cli: nothing found for \"%s\" (no hits, or the service could not "
                     "be reached)\n",
                     keyword.c_str());
        return kExitFailed;
    }
    for (const FoundRow& row : rows) PrintRow(row);
    return kExitOk;
}

}  // namespace tunelark::cli
