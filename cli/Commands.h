#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace tunelark::cli {

// One subcommand: `tunelark-cli <name> <arguments...>`. Its run function gets the arguments
// after the name and returns the process's exit status. To add one, write <Name>Command.cpp
// with its run function, declare it below and add its row in Commands.cpp.
struct Command {
    std::string_view name;
    std::string_view usage;  // the arguments, as the help shows them
    std::string_view summary;
    int (*run)(const std::vector<std::string>& arguments);
};

[[nodiscard]] std::span<const Command> AllCommands();

// Exit statuses shared by the subcommands.
inline constexpr int kExitOk = 0;
inline constexpr int kExitFailed = 1;
inline constexpr int kExitUsage = 2;
inline constexpr int kExitInterrupted = 130;

int RunDownload(const std::vector<std::string>& arguments);
int RunCatalogSearch(const std::vector<std::string>& arguments);
int RunResolveSong(const std::vector<std::string>& arguments);
int RunResolveMv(const std::vector<std::string>& arguments);
int RunGet(const std::vector<std::string>& arguments);

}  // namespace tunelark::cli
