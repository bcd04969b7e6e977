#pragma once

#include <string>

#include "text/Text.h"

namespace tunelark {

// One request to the MV site's address services: the address with its time stamp and the extra
// header lines.
struct AddressRequest {
    Text address;
    Text extraHeaders;
};

// The song address service's request for a page link ("...?kwid=ID").
[[nodiscard]] AddressRequest SongAddressRequest(const Text& pageLink, const std::string& mvBase,
                                                const Text& stamp);
// The MV address service's request for a page link ("...id=ID").
[[nodiscard]] AddressRequest MvAddressRequest(const Text& pageLink, const std::string& mvBase,
                                              const Text& stamp);

// Sends the request; the reply text, "" on failure.
[[nodiscard]] Text FetchAddressReply(const AddressRequest& request);

// The address a reply gave, kept only when it is a web address (http or https): it goes to the
// player and the downloader, which must not be sent to local files or devices by a reply.
[[nodiscard]] Text WebAddressOnly(Text address);

// The id after the last marker, without control characters: it comes from a reply and goes into
// a header line, where a stray CR must not start a line of its own.
[[nodiscard]] Text IdAfterLast(const Text& pageLink, const Text& marker);

}  // namespace tunelark
