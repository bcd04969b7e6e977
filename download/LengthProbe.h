#pragma once

#include <cstdint>
#include <string>

#include "download/DownloadSettings.h"
#include "text/Text.h"

namespace tunelark {

struct LengthProbeResult {
    bool ok = false;
    std::string error;        // why not, when not ok
    int64_t length = 0;       // the announced length
    std::string partAddress;  // where the parts go: the address after redirects, as sent
};

// The length probe: a GET without Range, with the download header block, whose body is not
// read. Fails on a transfer error, an HTTP error, a missing Content-Length or an encoded body
// (its bytes could not be stored by offset).
[[nodiscard]] LengthProbeResult ProbeLength(const Text& address, const DownloadSettings& settings);

}  // namespace tunelark
