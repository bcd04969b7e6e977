#pragma once

#include <string>

#include "platform/ServiceConfig.h"

namespace tunelark::test {

// The one stand-in every test of this binary talks to, started on first use and stopped when
// the program ends: its media are made only once per run.
class SharedStandIn final {
public:
    // "http://127.0.0.1:PORT", or "" when the program did not start.
    [[nodiscard]] static const std::string& Base();
    [[nodiscard]] static ServiceConfig Config();
    // The bytes the stand-in serves at a path of its own ("/media/..."); "" on failure.
    [[nodiscard]] static std::string Served(const std::string& path);
    // Sets the media faults for every later request ("" clears them); false on failure.
    static bool SetMediaFaults(const std::string& query);
};

// Clears the server-wide media faults when it goes, so that a failed test leaves none behind.
class MediaFaults final {
public:
    explicit MediaFaults(const std::string& query) { ok_ = SharedStandIn::SetMediaFaults(query); }
    ~MediaFaults() { (void)SharedStandIn::SetMediaFaults(""); }
    MediaFaults(const MediaFaults&) = delete;
    MediaFaults& operator=(const MediaFaults&) = delete;
    [[nodiscard]] bool Ok() const { return ok_; }

private:
    bool ok_ = false;
};

}  // namespace tunelark::test
