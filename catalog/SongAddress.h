#pragma once

#include "platform/ServiceConfig.h"
#include "text/Text.h"

namespace tunelark {

// The media address in a song address reply: what stands between `,"hcVideoUrl":"` and the
// next double quote; "" when either is missing or it is not an http(s) address.
[[nodiscard]] Text ParseSongAddressReply(const Text& reply);

// Asks the song address service for the song of a page link ("...?kwid=ID"), with a fresh time
// stamp. "" when nothing was found (network failure, error reply, unknown song). Blocks; on the
// GUI thread the web request keeps the window's events flowing.
[[nodiscard]] Text ResolveSongAddress(const Text& pageLink,
                                      const ServiceConfig& services = Services());

}  // namespace tunelark
