#pragma once

#include <filesystem>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "standin/Catalogue.h"

namespace tunelark::standin {

// The catalogue's media files: real MP3 and MP4 files that ffmpeg makes the first time each is
// asked for, kept in a cache folder for later runs. Several stand-ins may share the folder: a
// file is made under a name of its own and then renamed into place.
class MediaLibrary final {
public:
    explicit MediaLibrary(std::filesystem::path folder);
    MediaLibrary(const MediaLibrary&) = delete;
    MediaLibrary& operator=(const MediaLibrary&) = delete;

    // A song of 3-4 MB (320 kbit/s tone, 80-100 s); nullopt when it cannot be made.
    [[nodiscard]] std::optional<std::filesystem::path> SongFile(const Song& song);
    // An MV in one quality, a few seconds of test picture and tone at over 5 MB.
    [[nodiscard]] std::optional<std::filesystem::path> MvFile(const Mv& mv,
                                                              std::string_view quality);
    // Makes every file of the catalogue; false when one could not be made.
    [[nodiscard]] bool PrepareAll();

    [[nodiscard]] const std::filesystem::path& Folder() const { return folder_; }

private:
    [[nodiscard]] std::optional<std::filesystem::path> Ensure(
        const std::string& name, const std::vector<std::string>& ffmpegArguments);
    [[nodiscard]] std::mutex& LockFor(const std::string& name);

    std::filesystem::path folder_;
    std::mutex locksMutex_;
    std::map<std::string, std::unique_ptr<std::mutex>> locks_;
};

// --media-dir, else $XDG_CACHE_HOME/tunelark-standin, else ~/.cache/tunelark-standin.
[[nodiscard]] std::filesystem::path DefaultMediaFolder();

}  // namespace tunelark::standin
