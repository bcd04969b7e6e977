#pragma once

#include <string>

#include "download/CurlHandle.h"
#include "download/DownloadSettings.h"
#include "download/ReplyHeaders.h"
#include "text/Text.h"

namespace tunelark {

// The failure reason of a probe, or of a start, that a stop request cut short.
inline constexpr char kCancelledReason[] = "cancelled";

struct HeaderProbeRequest {
    Text address;
    Text headerBlock;  // lines joined by CR LF; may be empty
    std::string userAgent;
    bool followRedirects = true;
};

struct HeaderProbeReply {
    bool reached = false;    // a reply's header block arrived
    bool cancelled = false;  // the thread's cancel scope stopped it (error kCancelledReason)
    std::string error;       // why not, when not
    ReplyHeaders headers;
    std::string finalAddress;  // after redirects
};

// A GET whose reply body is never read: the transfer ends at the first body byte. While it
// waits it runs the wait hook, so that a caller on the GUI thread keeps the window alive, and
// gives up as soon as the calling thread's cancel scope asks to stop.
[[nodiscard]] HeaderProbeReply ProbeHeaders(const HeaderProbeRequest& request,
                                            const DownloadSettings& settings);

}  // namespace tunelark
