#pragma once

#include <vector>

#include "platform/ServiceConfig.h"
#include "text/Text.h"

namespace tunelark {

// One resolved quality of an MV: its label ("432p", "540p", "720p", "1080p") and address.
struct MvQuality {
    Text label;
    Text address;

    friend bool operator==(const MvQuality&, const MvQuality&) = default;
};

// The qualities an MV address reply holds, in the order 432p, 540p, 720p, 1080p; a quality
// whose field is missing, empty or not an http(s) address is left out.
[[nodiscard]] std::vector<MvQuality> ParseMvAddressReply(const Text& reply);

// Asks the MV address service for the MV of a page link ("...id=ID"), with a fresh time stamp.
// Empty when nothing was found. Blocks like ResolveSongAddress.
[[nodiscard]] std::vector<MvQuality> ResolveMvAddresses(const Text& pageLink,
                                                        const ServiceConfig& services = Services());

}  // namespace tunelark
