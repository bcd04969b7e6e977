#pragma once

#include <chrono>
#include <string>

#include "platform/HttpGet.h"

namespace tunelark {

// Whether the machine reaches the web: a GET of probeUrl that brings back any HTTP reply within
// the time-out. keepGoing runs while it waits (the window pumps its events there).
[[nodiscard]] bool IsOnline(const std::string& probeUrl, std::chrono::milliseconds timeout,
                            const KeepGoing& keepGoing = {});

}  // namespace tunelark
