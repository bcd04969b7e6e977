#pragma once

#include <chrono>
#include <functional>
#include <optional>
#include <stop_token>
#include <string>

#include "text/Text.h"

namespace tunelark {

inline constexpr const char* kProgramVersion = "1.0.0";

// What the check found out.
struct UpdateOutcome {
    enum class Kind { Unreachable, Newer, Current };
    Kind kind = Kind::Unreachable;
    Text address;  // where the newer version is, as the document gives it
};

// One fetch of the update document: its bytes, or "" when it could not be had.
using FetchDocument = std::function<std::string()>;
// Waits between attempts; false when the wait was cut short because the program ends.
using PauseFor = std::function<bool(std::chrono::milliseconds)>;

inline constexpr int kUpdateAttempts = 3;
inline constexpr std::chrono::milliseconds kUpdateRetryPause{1000};

// Up to three fetches, each failed one followed by a pause of one second (also the third).
// Nothing when the program began to end meanwhile.
[[nodiscard]] std::optional<UpdateOutcome> CheckForUpdate(const FetchDocument& fetch,
                                                          const PauseFor& pause);

// Reads the version ("【最新版本号】" up to "&") and the address ("【下载地址】" up to "#") and
// compares the version byte for byte with ours.
[[nodiscard]] UpdateOutcome ReadUpdateDocument(const Text& document);

// The real fetch: a GET of the update server's document; "" unless a 2xx reply arrived whole.
[[nodiscard]] std::string FetchUpdateDocument(const std::string& address, std::stop_token stop);
[[nodiscard]] std::string UpdateDocumentAddress();

}  // namespace tunelark
