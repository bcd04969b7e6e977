#include "standin/MediaLibrary.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstdlib>

extern char** environ;

namespace tunelark::standin {
namespace {

// Bumped whenever the way files are made changes, so old cached files are not served.
constexpr std::string_view kGeneration = "v1";
constexpr int kMvSeconds = 6;

// Runs a program without a shell; true when it exits with 0.
bool RunProgram(const std::vector<std::string>& arguments) {
    std::vector<char*> argv;
    for (const std::string& argument : arguments)
        argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    pid_t child = 0;
    const int spawned = posix_spawnp(&child, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0) {
        std::fprintf(stderr, "stand-in: cannot run %s\n", argv[0]);
        return false;
    }
    int status = 0;
    pid_t waited = 0;
    do {
        waited = waitpid(child, &status, 0);
    } while (waited < 0 && errno == EINTR);
    return waited == child && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

std::vector<std::string> FfmpegStart() {
    return {"ffmpeg", "-nostdin", "-hide_banner", "-loglevel", "error", "-y"};
}

void Append(std::vector<std::string>& to, std::initializer_list<std::string> more) {
    to.insert(to.end(), more);
}

std::string TemporaryName(const std::string& name) {
    static std::atomic<int> counter{0};
    return name + ".part-" + std::to_string(::getpid()) + "-" + std::to_string(++counter);
}

}  // namespace

MediaLibrary::MediaLibrary(std::filesystem::path folder) : folder_(std::move(folder)) {}

std::optional<std::filesystem::path> MediaLibrary::SongFile(const Song& song) {
    std::vector<std::string> arguments = FfmpegStart();
    Append(arguments,
           {"-f", "lavfi", "-i",
            "sine=frequency=" + std::to_string(song.toneHz) +
                ":sample_rate=44100:duration=" + std::to_string(song.seconds),
            "-c:a", "libmp3lame", "-b:a", "320k", "-metadata", "title=" + PlainTitle(song.title),
            "-metadata", "artist=" + song.artist, "-f", "mp3"});
    return Ensure("song-" + song.id + "-" + std::string(kGeneration) + ".mp3", arguments);
}

std::optional<std::filesystem::path> MediaLibrary::MvFile(const Mv& mv, std::string_view quality) {
    const VideoSize size = SizeOfQuality(quality);
    if (size.width == 0) return std::nullopt;
    const std::string seconds = std::to_string(kMvSeconds);
    std::vector<std::string> arguments = FfmpegStart();
    // A constant 7 Mbit/s (filler included) makes every quality over 5 MB in a few seconds.
    Append(arguments, {"-f",
                       "lavfi",
                       "-i",
                       "testsrc2=size=" + std::to_string(size.width) + "x" +
                           std::to_string(size.height) + ":rate=25:duration=" + seconds,
                       "-f",
                       "lavfi",
                       "-i",
                       "sine=frequency=" + std::to_string(mv.toneHz) + ":duration=" + seconds,
                       "-c:v",
                       "libx264",
                       "-preset",
                       "ultrafast",
                       "-pix_fmt",
                       "yuv420p",
                       "-b:v",
                       "7M",
                       "-minrate",
                       "7M",
                       "-maxrate",
                       "7M",
                       "-bufsize",
                       "2M",
                       "-x264-params",
                       "nal-hrd=cbr",
                       "-c:a",
                       "aac",
                       "-b:a",
                       "128k",
                       "-shortest",
                       "-movflags",
                       "+faststart",
                       "-metadata",
                       "title=" + PlainTitle(mv.title),
                       "-metadata",
                       "artist=" + mv.artist,
                       "-f",
                       "mp4"});
    return Ensure(
        "mv-" + mv.id + "-" + std::string(quality) + "-" + std::string(kGeneration) + ".mp4",
        arguments);
}

bool MediaLibrary::PrepareAll() {
    bool all = true;
    for (const Song& song : Songs()) all = SongFile(song).has_value() && all;
    for (const Mv& mv : Mvs()) {
        for (const std::string& quality : mv.qualities)
            all = MvFile(mv, quality).has_value() && all;
    }
    return all;
}

std::mutex& MediaLibrary::LockFor(const std::string& name) {
    std::lock_guard lock(locksMutex_);
    auto& entry = locks_[name];
    if (!entry) entry = std::make_unique<std::mutex>();
    return *entry;
}

std::optional<std::filesystem::path> MediaLibrary::Ensure(
    const std::string& name, const std::vector<std::string>& ffmpegArguments) {
    std::lock_guard lock(LockFor(name));
    const std::filesystem::path target = folder_ / name;
    std::error_code error;
    if (const auto size = std::filesystem::file_size(target, error); !error && size > 0) {
        return target;
    }
    std::filesystem::create_directories(folder_, error);
    const std::filesystem::path partial = folder_ / TemporaryName(name);
    std::vector<std::string> arguments = ffmpegArguments;
    arguments.push_back(partial.string());
    std::fprintf(stderr, "stand-in: making %s\n", target.c_str());
    if (!RunProgram(arguments)) {
        std::filesystem::remove(partial, error);
        return std::nullopt;
    }
    std::filesystem::rename(partial, target, error);
    if (error) {
        std::filesystem::remove(partial, error);
        return std::nullopt;
    }
    return target;
}

std::filesystem::path DefaultMediaFolder() {
    if (const char* cache = std::getenv("XDG_CACHE_HOME"); cache && *cache == '/') {
        return std::filesystem::path(cache) / "tunelark-standin";
    }
    if (const char* home = std::getenv("HOME"); home && *home == '/') {
        return std::filesystem::path(home) / ".cache" / "tunelark-standin";
    }
    return std::filesystem::temp_directory_path() /
           ("tunelark-standin-" + std::to_string(::getuid()));
}

}  // namespace tunelark::standin
