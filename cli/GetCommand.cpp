// tunelark-cli get [--mv] KEYWORD INDEX [--quality LABEL] [--dir DIR]
#include <cstdio>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "catalog/CatalogSearch.h"
#include "catalog/Columns.h"
#include "catalog/FileNames.h"
#include "catalog/MvAddresses.h"
#include "catalog/SongAddress.h"
#include "cli/CatalogArguments.h"
#include "cli/Commands.h"
#include "cli/DownloadToFile.h"
#include "platform/HostPath.h"
#include "text/CodePage.h"

namespace tunelark::cli {
namespace {

// The window's default download folder, "D:\音乐下载地址".
constexpr const char* kDefaultFolder = "D:\\\xD2\xF4\xC0\xD6\xCF\xC2\xD4\xD8\xB5\xD8\xD6\xB7";

struct Download {
    Text address;
    Text path;
};

int Fail(const std::string& message) {
    std::fprintf(stderr, "tunelark-cli: %s\n", message.c_str());
    return kExitFailed;
}

std::optional<int32_t> ParseIndex(const std::string& text) {
    if (text.empty() || text.size() > 6 || text.find_first_not_of("0123456789") != text.npos) {
        return std::nullopt;
    }
    const int32_t index = std::stoi(text);
    return index >= 1 ? std::optional(index) : std::nullopt;
}

// The folder as a system text: --dir as given (it must exist), else the window's default,
// created when missing as the window does at start.
std::optional<Text> Folder(const std::optional<std::string>& given) {
    std::error_code error;
    if (given) {
        if (!std::filesystem::is_directory(*given, error)) return std::nullopt;
        return Utf8ToGbk(*given);
    }
    const auto host = HostPath(kDefaultFolder);
    std::filesystem::create_directories(host, error);
    if (!std::filesystem::is_directory(host, error)) return std::nullopt;
    return Text(kDefaultFolder);
}

// The chosen quality: --quality when given (it must be there), else the best one found.
std::optional<MvQuality> ChooseQuality(const std::vector<MvQuality>& found,
                                       const std::optional<std::string>& wanted) {
    if (found.empty()) return std::nullopt;
    if (!wanted) return found.back();
    for (const MvQuality& quality : found) {
        if (quality.label == *wanted) return quality;
    }
    std::string labels;
    for (const MvQuality& quality : found) labels += " " + quality.label;
    Fail("no quality \"" + *wanted + "\"; found:" + labels);
    return std::nullopt;
}

std::optional<Download> SongDownload(const FoundRow& row, const Text& folder, const Text& keyword) {
    const Text address = ResolveSongAddress(row[SongColumn::kPageLink]);
    if (address.empty()) {
        Fail("no address found for this song");
        return std::nullopt;
    }
    return Download{address, SongFilePath(folder, row[SongColumn::kArtist], keyword)};
}

std::optional<Download> MvDownload(const FoundRow& row, const Text& folder, const Text& keyword,
                                   const std::optional<std::string>& quality) {
    const auto found = ResolveMvAddresses(row[SongColumn::kPageLink]);
    if (found.empty()) Fail("no address found for this MV");
    const auto chosen = ChooseQuality(found, quality);
    if (!chosen) return std::nullopt;
    return Download{chosen->address, MvFilePath(folder, chosen->label, keyword)};
}

int Usage() {
    std::fprintf(stderr,
                 "usage: tunelark-cli get [--mv] KEYWORD INDEX [--quality LABEL] [--dir DIR]\n"
                 "  INDEX: the result's number (first column of search)\n"
                 "  LABEL: 432p, 540p, 720p or 1080p (default: the best found; --mv only)\n"
                 "  DIR: an existing folder (default: the window's, D:\\音乐下载地址)\n");
    return kExitUsage;
}

}  // namespace

int RunGet(const std::vector<std::string>& arguments) {
    const auto parsed = ParseCatalogArguments(arguments);
    if (!parsed || parsed->words.size() != 2 || (parsed->quality && !parsed->mv)) return Usage();
    const auto index = ParseIndex(parsed->words[1]);
    if (!index) return Usage();
    const auto folder = Folder(parsed->folder);
    if (!folder)
        return Fail("no such folder: " + parsed->folder.value_or(GbkToUtf8(kDefaultFolder)));

    const Text keyword = Utf8ToGbk(parsed->words[0]);
    const auto rows = FetchSearch(parsed->mv ? SearchMode::Mv : SearchMode::Music, keyword);
    if (static_cast<size_t>(*index) > rows.size()) {
        return Fail("result " + parsed->words[1] + " not found; the search gave " +
                    std::to_string(rows.size()));
    }
    const FoundRow& row = rows[static_cast<size_t>(*index) - 1];
    std::fprintf(stderr, "%s - %s\n", TerminalField(row[SongColumn::kArtist]).c_str(),
                 TerminalField(row[SongColumn::kTitle]).c_str());
    const auto download = parsed->mv ? MvDownload(row, *folder, keyword, parsed->quality)
                                     : SongDownload(row, *folder, keyword);
    if (!download) return kExitFailed;
    return DownloadToFile(download->address, download->path, 1);
}

}  // namespace tunelark::cli
