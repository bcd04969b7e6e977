#include "player/MpvHandle.h"

#include <mpv/client.h>

#include <cstring>

namespace tunelark {

MpvHandle MpvHandle::Create(const Options& options) {
    MpvHandle created(mpv_create());
    if (!created) return created;
    for (const auto& [name, value] : options) {
        mpv_set_option_string(created.handle_, name.c_str(), value.c_str());
    }
    if (mpv_initialize(created.handle_) < 0) created.Reset();
    return created;
}

MpvHandle::~MpvHandle() {
    Reset();
}

MpvHandle::MpvHandle(MpvHandle&& other) noexcept : handle_(std::exchange(other.handle_, nullptr)) {}

MpvHandle& MpvHandle::operator=(MpvHandle&& other) noexcept {
    if (this != &other) {
        Reset();
        handle_ = std::exchange(other.handle_, nullptr);
    }
    return *this;
}

void MpvHandle::Reset() {
    mpv_handle* handle = std::exchange(handle_, nullptr);
    if (handle == nullptr) return;
    mpv_set_wakeup_callback(handle, nullptr, nullptr);
    mpv_terminate_destroy(handle);
}

std::optional<double> MpvHandle::GetDouble(const char* name) const {
    double value = 0;
    if (!handle_ || mpv_get_property(handle_, name, MPV_FORMAT_DOUBLE, &value) < 0) return {};
    return value;
}

std::optional<std::int64_t> MpvHandle::GetInt(const char* name) const {
    std::int64_t value = 0;
    if (!handle_ || mpv_get_property(handle_, name, MPV_FORMAT_INT64, &value) < 0) return {};
    return value;
}

std::optional<bool> MpvHandle::GetFlag(const char* name) const {
    int value = 0;
    if (!handle_ || mpv_get_property(handle_, name, MPV_FORMAT_FLAG, &value) < 0) return {};
    return value != 0;
}

std::optional<std::string> MpvHandle::GetString(const char* name) const {
    if (!handle_) return {};
    char* value = mpv_get_property_string(handle_, name);
    if (value == nullptr) return {};
    std::string result(value);
    mpv_free(value);
    return result;
}

std::optional<bool> MpvHandle::GetMapFlag(const char* name, const char* key) const {
    mpv_node node;
    if (!handle_ || mpv_get_property(handle_, name, MPV_FORMAT_NODE, &node) < 0) return {};
    std::optional<bool> result;
    if (node.format == MPV_FORMAT_NODE_MAP) {
        const mpv_node_list& map = *node.u.list;
        for (int i = 0; i < map.num; ++i) {
            if (std::strcmp(map.keys[i], key) == 0 && map.values[i].format == MPV_FORMAT_FLAG) {
                result = map.values[i].u.flag != 0;
            }
        }
    }
    mpv_free_node_contents(&node);
    return result;
}

bool MpvHandle::SetDouble(const char* name, double value) {
    return handle_ && mpv_set_property(handle_, name, MPV_FORMAT_DOUBLE, &value) >= 0;
}

bool MpvHandle::SetInt(const char* name, std::int64_t value) {
    return handle_ && mpv_set_property(handle_, name, MPV_FORMAT_INT64, &value) >= 0;
}

bool MpvHandle::SetFlag(const char* name, bool value) {
    int flag = value ? 1 : 0;
    return handle_ && mpv_set_property(handle_, name, MPV_FORMAT_FLAG, &flag) >= 0;
}

bool MpvHandle::SetString(const char* name, const std::string& value) {
    return handle_ && mpv_set_property_string(handle_, name, value.c_str()) >= 0;
}

bool MpvHandle::Command(const std::vector<std::string>& words) {
    if (!handle_) return false;
    std::vector<const char*> args;
    args.reserve(words.size() + 1);
    for (const auto& word : words) args.push_back(word.c_str());
    args.push_back(nullptr);
    return mpv_command(handle_, args.data()) >= 0;
}

void MpvHandle::Observe(const char* name, int format) {
    if (handle_) mpv_observe_property(handle_, 0, name, static_cast<mpv_format>(format));
}

}  // namespace tunelark
