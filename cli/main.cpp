// tunelark-cli: the system's flows from a terminal. Texts on the terminal are UTF-8.
#include <curl/curl.h>

#include <cstdio>
#include <string>
#include <vector>

#include "cli/Commands.h"

namespace {

void PrintUsage(std::FILE* out) {
    std::fprintf(out, "usage: tunelark-cli COMMAND ARGUMENTS...\n\ncommands:\n");
    for (const auto& command : tunelark::cli::AllCommands()) {
        std::fprintf(out, "  %.*s %.*s\n      %.*s\n", static_cast<int>(command.name.size()),
                     command.name.data(), static_cast<int>(command.usage.size()),
                     command.usage.data(), static_cast<int>(command.summary.size()),
                     command.summary.data());
    }
}

// libcurl's global state, set up once before any thread starts.
struct CurlGlobal {
    CurlGlobal() { curl_global_init(CURL_GLOBAL_DEFAULT); }
    ~CurlGlobal() { curl_global_cleanup(); }
    CurlGlobal(const CurlGlobal&) = delete;
    CurlGlobal& operator=(const CurlGlobal&) = delete;
};

}  // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> words(argv + 1, argv + argc);
    if (words.empty() || words[0] == "--help" || words[0] == "-h") {
        PrintUsage(words.empty() ? stderr : stdout);
        return words.empty() ? tunelark::cli::kExitUsage : tunelark::cli::kExitOk;
    }
    for (const auto& command : tunelark::cli::AllCommands()) {
        if (command.name != words[0]) continue;
        CurlGlobal curl;
        return command.run(std::vector<std::string>(words.begin() + 1, words.end()));
    }
    std::fprintf(stderr, "tunelark-cli: unknown command \"%s\"\n\n", words[0].c_str());
    PrintUsage(stderr);
    return tunelark::cli::kExitUsage;
}
