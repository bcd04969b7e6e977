// tunelark-cli resolve-song LINK / resolve-mv LINK
#include <cstdio>
#include <string>
#include <vector>

#include "catalog/MvAddresses.h"
#include "catalog/SongAddress.h"
#include "cli/CatalogArguments.h"
#include "cli/Commands.h"
#include "text/CodePage.h"

namespace tunelark::cli {
namespace {

// The single LINK argument, or nothing after printing the usage.
std::optional<Text> LinkArgument(const std::vector<std::string>& arguments, const char* usage) {
    const auto parsed = ParseCatalogArguments(arguments);
    if (!parsed || parsed->words.size() != 1 || parsed->mv || parsed->quality || parsed->folder) {
        std::fprintf(stderr, "usage: tunelark-cli %s LINK\n", usage);
        return std::nullopt;
    }
    return Utf8ToGbk(parsed->words[0]);
}

int NothingFound(const Text& link) {
    std::fprintf(stderr,
                 "tunelark-cli: no address found for %s (unknown id, error reply, or the service "
                 "could not be reached)\n",
                 TerminalField(link).c_str());
    return kExitFailed;
}

}  // namespace

int RunResolveSong(const std::vector<std::string>& arguments) {
    const auto link = LinkArgument(arguments, "resolve-song");
    if (!link) return kExitUsage;
    const Text address = ResolveSongAddress(*link);
    if (address.empty()) return NothingFound(*link);
    std::printf("%s\n", TerminalField(address).c_str());
    return kExitOk;
}

int RunResolveMv(const std::vector<std::string>& arguments) {
    const auto link = LinkArgument(arguments, "resolve-mv");
    if (!link) return kExitUsage;
    const auto qualities = ResolveMvAddresses(*link);
    if (qualities.empty()) return NothingFound(*link);
    for (const MvQuality& quality : qualities) {
        std::printf("%s\t%s\n", TerminalField(quality.label).c_str(),
                    TerminalField(quality.address).c_str());
    }
    return kExitOk;
}

}  // namespace tunelark::cli
