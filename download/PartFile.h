#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>

namespace tunelark {

// The file a job writes: a temporary file beside the target ("<target>.part"), reserved at its
// full length before any data arrives so that parts can land in any order and a full disk
// fails at once. Commit flushes it to disk and renames it onto the target; a PartFile that is
// destroyed uncommitted removes its temporary file, so a failed or stopped job never touches an
// existing file of the target's name and leaves nothing that looks complete.
class PartFile final {
    struct Key {
        explicit Key() = default;
    };

public:
    // nullptr with the reason in `error` when the file cannot be made or reserved.
    [[nodiscard]] static std::unique_ptr<PartFile> Create(const std::filesystem::path& target,
                                                          int64_t length, std::string& error);
    // Use Create; the private key keeps construction inside the class.
    PartFile(Key, std::filesystem::path target, std::filesystem::path temporary, int fd);
    ~PartFile();
    PartFile(const PartFile&) = delete;
    PartFile& operator=(const PartFile&) = delete;

    // Writes the bytes at the offset; callable from several threads for distinct ranges.
    [[nodiscard]] bool WriteAt(int64_t offset, const char* data, size_t size,
                               std::string& error) const;
    // Asks the system to start writing a written range to disk now, without waiting, so that
    // Commit's flush finds little left to do. A hint: it may do nothing.
    void StartWriteBack(int64_t offset, int64_t length) const;
    [[nodiscard]] bool Commit(std::string& error);

    [[nodiscard]] const std::filesystem::path& TemporaryPath() const { return temporary_; }

private:
    const std::filesystem::path target_;
    const std::filesystem::path temporary_;
    int fd_ = -1;
    bool committed_ = false;
};

}  // namespace tunelark
