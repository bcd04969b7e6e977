// tunelark-cli download URL PATH [--threads N]
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "cli/Commands.h"
#include "cli/DownloadToFile.h"
#include "text/CodePage.h"

namespace tunelark::cli {
namespace {

constexpr int32_t kDefaultThreads = 4;
constexpr int32_t kMostThreads = 64;

struct DownloadArguments {
    std::string address;
    std::string path;  // UTF-8, as the terminal gave it
    int32_t threads = kDefaultThreads;
};

bool ParseThreads(const std::string& text, int32_t& threads) {
    try {
        size_t used = 0;
        const int value = std::stoi(text, &used);
        if (used != text.size() || value < 1 || value > kMostThreads) return false;
        threads = value;
        return true;
    } catch (const std::logic_error&) {
        return false;
    }
}

bool Parse(const std::vector<std::string>& arguments, DownloadArguments& parsed) {
    std::vector<std::string> positional;
    for (size_t i = 0; i < arguments.size(); ++i) {
        if (arguments[i] == "--threads") {
            if (i + 1 == arguments.size() || !ParseThreads(arguments[++i], parsed.threads)) {
                return false;
            }
        } else {
            positional.push_back(arguments[i]);
        }
    }
    if (positional.size() != 2 || positional[0].empty() || positional[1].empty()) return false;
    parsed.address = positional[0];
    parsed.path = positional[1];
    return true;
}

// The path as a system text. An existing folder is marked as one, so that the server names
// the file inside it even when the folder's name has a dot.
Text TargetText(std::string path) {
    std::error_code error;
    if (std::filesystem::is_directory(path, error) && path.back() != '/') path += '/';
    return Utf8ToGbk(path);
}

}  // namespace

int RunDownload(const std::vector<std::string>& arguments) {
    DownloadArguments parsed;
    if (!Parse(arguments, parsed)) {
        std::fprintf(stderr,
                     "usage: tunelark-cli download URL PATH [--threads N]\n"
                     "  N: parts fetched at once, 1 to %d (default %d)\n",
                     kMostThreads, kDefaultThreads);
        return kExitUsage;
    }
    return DownloadToFile(Utf8ToGbk(parsed.address), TargetText(parsed.path), parsed.threads);
}

}  // namespace tunelark::cli
