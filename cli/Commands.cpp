#include "cli/Commands.h"

namespace tunelark::cli {

std::span<const Command> AllCommands() {
    static const Command commands[] = {
        {"download", "URL PATH [--threads N]",
         "fetch URL into PATH (a file, or a folder named by the server), N parts at once (default "
         "4)",
         &RunDownload},
        {"search", "[--mv] KEYWORD",
         "search the music (or MV) catalogue; one result per line, columns tab-separated",
         &RunCatalogSearch},
        {"resolve-song", "LINK", "the media address of a song's page link", &RunResolveSong},
        {"resolve-mv", "LINK", "the video addresses of an MV's page link, one LABEL<TAB>URL a line",
         &RunResolveMv},
        {"get", "[--mv] KEYWORD INDEX [--quality LABEL] [--dir DIR]",
         "search, resolve and download result INDEX, named as the window names it", &RunGet},
    };
    return commands;
}

}  // namespace tunelark::cli
