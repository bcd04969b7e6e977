#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace tunelark::standin {

// Ways a reply can be told to misbehave, from query parameters of the request itself or, for
// the media, set server-wide through /control/media-faults (the request's own win):
//   stall=MS         wait MS milliseconds before answering (any request)
//   status=N         answer with status N (100-599) and a short text body (any request)
//   redirect=N       answer 302 to the same address with redirect=N-1; redirect=loop never
//                    stops (any request)
//   setcookie=A=B    add a Set-Cookie line; may repeat (any request)
//   charset=NAME     encode an HTML page in NAME and declare it (pages)
//   drop=N           close the connection after N body bytes (media)
//   overlength=N     declare N bytes more in Content-Length than are sent, then close (media)
//   norange=1        ignore Range: always 200 with the whole file (media)
//   nolength=1       no Content-Length: a chunked body (media)
//   rate=N           send at most N bytes per second (media)
struct FaultSwitches {
    std::optional<int64_t> stallMs;
    std::optional<int> status;
    std::optional<int> redirects;  // -1: endless
    std::vector<std::string> cookies;
    std::optional<std::string> charset;
    std::optional<int64_t> dropAfter;
    std::optional<int64_t> overLength;
    bool ignoreRange = false;
    bool noLength = false;
    std::optional<int64_t> rate;

    // Each switch given here replaces the one in base.
    [[nodiscard]] FaultSwitches Over(const FaultSwitches& base) const;
};

// Reads the switches out of (name, value) pairs; values out of range are ignored.
[[nodiscard]] FaultSwitches ParseFaultSwitches(
    const std::vector<std::pair<std::string, std::string>>& parameters);

// The query text with redirect=N lowered by one (kept at "loop" when endless).
[[nodiscard]] std::string WithOneRedirectLess(const std::string& target);

}  // namespace tunelark::standin
