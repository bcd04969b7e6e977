#include "cli/Commands.h"

namespace tunelark::cli {

std::span<const Command> AllCommands() {
    static const Command commands[] = {
        {"download", "URL PATH [--threads N]",
         "fetch URL into PATH (a file, or a folder named by the server), N parts at once (default "
         "4)",
         &RunDownload},
    };
    return commands;
}

}  // namespace tunelark::cli
