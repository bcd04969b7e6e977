#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

struct mpv_handle;

namespace tunelark {

// Owns one libmpv instance. Every accessor answers "nothing" (nullopt / false) once the
// instance is gone, so callers need no separate liveness check. Strings are UTF-8.
class MpvHandle final {
public:
    using Options = std::vector<std::pair<std::string, std::string>>;

    MpvHandle() = default;
    // Creates and initialises an instance with the options; empty when libmpv refuses.
    [[nodiscard]] static MpvHandle Create(const Options& options);
    ~MpvHandle();
    MpvHandle(MpvHandle&& other) noexcept;
    MpvHandle& operator=(MpvHandle&& other) noexcept;
    MpvHandle(const MpvHandle&) = delete;
    MpvHandle& operator=(const MpvHandle&) = delete;

    [[nodiscard]] explicit operator bool() const { return handle_ != nullptr; }
    [[nodiscard]] mpv_handle* get() const { return handle_; }
    // Stops the wakeup callback, then destroys the instance (and its video window).
    void Reset();

    [[nodiscard]] std::optional<double> GetDouble(const char* name) const;
    [[nodiscard]] std::optional<std::int64_t> GetInt(const char* name) const;
    [[nodiscard]] std::optional<bool> GetFlag(const char* name) const;
    [[nodiscard]] std::optional<std::string> GetString(const char* name) const;
    // A flag inside a property whose value is a map (like demuxer-cache-state).
    [[nodiscard]] std::optional<bool> GetMapFlag(const char* name, const char* key) const;

    bool SetDouble(const char* name, double value);
    bool SetInt(const char* name, std::int64_t value);
    bool SetFlag(const char* name, bool value);
    bool SetString(const char* name, const std::string& value);

    // Runs a command given as its words; false when libmpv refuses it.
    bool Command(const std::vector<std::string>& words);
    // Asks libmpv to post a change event for the property (format: an mpv_format value).
    void Observe(const char* name, int format);

private:
    explicit MpvHandle(mpv_handle* handle) : handle_(handle) {}

    mpv_handle* handle_ = nullptr;
};

}  // namespace tunelark
