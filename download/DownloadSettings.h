#pragma once

#include <chrono>
#include <cstdint>

namespace tunelark {

// Every part covers this many bytes; the last one ends where the file does.
inline constexpr int64_t kPartSize = 1'048'576;
// One progress report per chunk of at most this many bytes.
inline constexpr int64_t kReportChunk = 20'480;

// Tunables of the transfer. The defaults suit real servers; tests shorten the waits.
struct DownloadSettings {
    // Attempts at a part in a row that bring no new byte before the job fails.
    int32_t partAttempts = 4;
    // Attempts at one part in all, so that a server that drops every connection after a few
    // bytes cannot keep a job going for ever.
    int32_t maxPartAttempts = 16;
    // Pause before the second attempt; doubled before each further one.
    std::chrono::milliseconds retryBackoff{500};
    // A reply that delivers no byte for this long is dropped (and retried).
    std::chrono::seconds stallTimeout{30};
    std::chrono::seconds connectTimeout{15};
    // The whole exchange of a probe (length, file name).
    std::chrono::seconds probeTimeout{60};
    // libcurl's receive buffer: large reads cost far less than 20 KiB ones.
    int64_t readBufferBytes = 256 * 1024;
};

}  // namespace tunelark
