#include "download/PartFile.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace tunelark {
namespace {

constexpr int kNameTries = 10;

std::string Reason(const std::string& what, int errorNumber) {
    return what + ": " + std::strerror(errorNumber);
}

std::filesystem::path TemporaryName(const std::filesystem::path& target, int attempt) {
    std::string suffix = ".";
    if (attempt > 0) suffix += std::to_string(attempt) + ".";
    suffix += "part";
    std::filesystem::path name = target;
    name += suffix;
    return name;
}

// Opens the temporary name and takes its lock. Another running job holding that name keeps its
// lock, so this one moves on to the next name; a file left by a crash is taken over.
int OpenLocked(const std::filesystem::path& path, int& errorNumber) {
    const int fd = open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
    if (fd < 0) {
        errorNumber = errno;
        return -1;
    }
    struct stat opened {};
    struct stat named {};
    const bool locked = flock(fd, LOCK_EX | LOCK_NB) == 0;
    // The name must still lead to the file we locked (its owner may have removed it meanwhile).
    if (locked && fstat(fd, &opened) == 0 && stat(path.c_str(), &named) == 0 &&
        opened.st_ino == named.st_ino && opened.st_dev == named.st_dev) {
        return fd;
    }
    errorNumber = EEXIST;
    close(fd);
    return -1;
}

void SyncFolder(const std::filesystem::path& file) {
    const std::filesystem::path folder = file.has_parent_path() ? file.parent_path() : ".";
    const int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    fsync(fd);
    close(fd);
}

}  // namespace

std::unique_ptr<PartFile> PartFile::Create(const std::filesystem::path& target, int64_t length,
                                           std::string& error) {
    int errorNumber = 0;
    for (int attempt = 0; attempt < kNameTries; ++attempt) {
        const std::filesystem::path temporary = TemporaryName(target, attempt);
        const int fd = OpenLocked(temporary, errorNumber);
        if (fd < 0 && errorNumber == EEXIST) continue;
        if (fd < 0) break;
        auto file = std::make_unique<PartFile>(Key(), target, temporary, fd);
        if (ftruncate(fd, 0) != 0) {
            error = Reason("cannot empty " + temporary.string(), errno);
            return nullptr;
        }
        const int reserved = length > 0 ? posix_fallocate(fd, 0, length) : 0;
        if (reserved != 0) {
            error = Reason("cannot reserve " + std::to_string(length) + " bytes", reserved);
            return nullptr;
        }
        return file;
    }
    error = Reason("cannot create " + TemporaryName(target, 0).string(), errorNumber);
    return nullptr;
}

PartFile::PartFile(Key, std::filesystem::path target, std::filesystem::path temporary, int fd)
    : target_(std::move(target)), temporary_(std::move(temporary)), fd_(fd) {}

PartFile::~PartFile() {
    if (fd_ < 0) return;
    if (!committed_) unlink(temporary_.c_str());
    close(fd_);
}

bool PartFile::WriteAt(int64_t offset, const char* data, size_t size, std::string& error) const {
    while (size > 0) {
        const ssize_t written = pwrite(fd_, data, size, offset);
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) {
            error = Reason("cannot write the file", written < 0 ? errno : ENOSPC);
            return false;
        }
        data += written;
        size -= static_cast<size_t>(written);
        offset += written;
    }
    return true;
}

void PartFile::StartWriteBack(int64_t offset, int64_t length) const {
#ifdef __linux__
    sync_file_range(fd_, offset, length, SYNC_FILE_RANGE_WRITE);
#else
    (void)offset;
    (void)length;
#endif
}

bool PartFile::Commit(std::string& error) {
    if (fsync(fd_) != 0) {
        error = Reason("cannot flush the file to disk", errno);
        return false;
    }
    if (rename(temporary_.c_str(), target_.c_str()) != 0) {
        error = Reason("cannot rename the file onto " + target_.string(), errno);
        return false;
    }
    committed_ = true;
    SyncFolder(target_);
    return true;
}

}  // namespace tunelark
