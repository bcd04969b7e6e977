#pragma once

#include <sys/types.h>

#include <optional>
#include <string>
#include <vector>

namespace tunelark::test {

// How the command-line program is run: optionally with a file-size limit (SIGXFSZ ignored, so
// that an oversized write fails instead of killing it) or as another user.
struct CliLimits {
    std::optional<long> fileSizeLimit;
    std::optional<uid_t> user;
};

struct CliResult {
    int status = -1;       // the exit status; -1 when it did not exit normally
    std::string messages;  // what it wrote to stderr
};

// Runs tunelark-cli with the arguments and waits for it (at most a minute, then it is killed).
[[nodiscard]] CliResult RunCli(const std::vector<std::string>& arguments, CliLimits limits = {});

}  // namespace tunelark::test
