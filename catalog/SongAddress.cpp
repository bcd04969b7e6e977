#include "catalog/SongAddress.h"

#include "catalog/AddressRequest.h"
#include "text/TextHelpers.h"

namespace tunelark {

Text ParseSongAddressReply(const Text& reply) {
    return WebAddressOnly(TextBetween(reply, ",\"hcVideoUrl\":\"", "\""));
}

Text ResolveSongAddress(const Text& pageLink, const ServiceConfig& services) {
    const AddressRequest request = SongAddressRequest(pageLink, services.mvBase, UnixTimeMillis());
    return ParseSongAddressReply(FetchAddressReply(request));
}

}  // namespace tunelark
