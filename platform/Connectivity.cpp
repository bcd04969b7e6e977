#include "platform/Connectivity.h"

namespace tunelark {

bool IsOnline(const std::string& probeUrl, std::chrono::milliseconds timeout,
              const KeepGoing& keepGoing) {
    // Any status counts: a server answered. The page itself is not needed, so a large one is
    // cut short instead of read whole.
    const HttpReply reply =
        HttpGet(probeUrl, {.timeout = timeout, .maxBodyBytes = 64 * 1024}, keepGoing);
    return reply.status > 0;
}

}  // namespace tunelark
