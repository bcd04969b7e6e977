#pragma once

#include <chrono>
#include <cstddef>
#include <functional>
#include <string>

namespace tunelark {

// What a plain GET brought back.
struct HttpReply {
    long status = 0;        // the HTTP status of the final reply; 0 when none arrived
    std::string body;       // the bytes that arrived (at most the limit)
    bool complete = false;  // the whole body arrived within the time and size limits
};

struct HttpGetLimits {
    std::chrono::milliseconds timeout{10000};  // for the whole exchange
    std::size_t maxBodyBytes = 1 << 20;        // a longer body aborts the transfer
};

// Called now and then while the exchange runs, on the calling thread; false aborts it.
using KeepGoing = std::function<bool()>;

// One GET of an http or https address, forcing a fresh copy (no caches), following a few
// redirects, certificates checked. Never throws; failures show in the reply.
[[nodiscard]] HttpReply HttpGet(const std::string& address, const HttpGetLimits& limits,
                                const KeepGoing& keepGoing = {});

}  // namespace tunelark
