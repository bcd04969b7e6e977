#pragma once

#include <string>

namespace tunelark {

// The outside services' addresses, read once from the environment. The defaults are the
// loopback stand-in (tunelark-standin) on kStandInPort.
inline constexpr int kStandInPort = 18480;

struct ServiceConfig {
    std::string musicBase;   // TUNELARK_MUSIC_BASE: music search (/r.s?all=...)
    std::string mvBase;      // TUNELARK_MV_BASE: MV site (search page, address services)
    std::string updateBase;  // TUNELARK_UPDATE_BASE: update server
    std::string probeUrl;    // TUNELARK_PROBE_URL: the connectivity check's page
};

// Read on first use and kept for the life of the process; bases carry no trailing "/".
[[nodiscard]] const ServiceConfig& Services();

}  // namespace tunelark
