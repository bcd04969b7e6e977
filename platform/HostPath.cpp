#include "platform/HostPath.h"

#include <cstdlib>

#include "text/CodePage.h"

namespace tunelark {
namespace {

bool HasDrivePrefix(const std::string& path) {
    return path.size() >= 2 && path[1] == ':' &&
           ((path[0] >= 'A' && path[0] <= 'Z') || (path[0] >= 'a' && path[0] <= 'z'));
}

std::filesystem::path HomeFolder() {
    const char* home = std::getenv("HOME");
    return (home && *home) ? std::filesystem::path(home) : std::filesystem::current_path();
}

}  // namespace

std::filesystem::path DriveRoot() {
    if (const char* root = std::getenv("TUNELARK_DRIVE_ROOT"); root && *root) return root;
    if (const char* music = std::getenv("XDG_MUSIC_DIR"); music && *music) return music;
    return HomeFolder() / "Music";
}

std::filesystem::path HostPath(const Text& textPath) {
    std::string path = GbkToUtf8(textPath);
    for (char& c : path) {
        if (c == '\\') c = '/';
    }
    if (!HasDrivePrefix(path)) return std::filesystem::path(path);
    std::string rest = path.substr(2);
    while (!rest.empty() && rest.front() == '/') rest.erase(0, 1);
    return rest.empty() ? DriveRoot() : DriveRoot() / rest;
}

}  // namespace tunelark
