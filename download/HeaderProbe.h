#pragma once

#include <string>

#include "download/CurlHandle.h"
#include "download/DownloadSettings.h"
#include "download/ReplyHeaders.h"
#include "text/Text.h"

namespace tunelark {

struct HeaderProbeRequest {
    Text address;
    Text headerBlock;  // lines joined by CR LF; may be empty
    std::string userAgent;
    bool followRedirects = true;
};

struct HeaderProbeReply {
    bool reached = false;  // a reply's header block arrived
    std::string error;     // why not, when not
    ReplyHeaders headers;
    std::string finalAddress;  // after redirects
};

// A GET whose reply body is never read: the transfer ends at the first body byte. While it
// waits it runs the wait hook, so that a caller on the GUI thread keeps the window alive.
[[nodiscard]] HeaderProbeReply ProbeHeaders(const HeaderProbeRequest& request,
                                            const DownloadSettings& settings);

}  // namespace tunelark
