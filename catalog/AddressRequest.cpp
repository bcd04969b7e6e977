#include "catalog/AddressRequest.h"

#include <algorithm>

#include "net/WebRequest.h"
#include "text/TextHelpers.h"

namespace tunelark {
namespace {

// No blank after the colon: the web request does not take this for a User-Agent line and adds
// its own default one, which is what the services see. The line is sent as the services expect.
constexpr const char* kUserAgentLine =
    "User-Agent:Mozilla/5.0 (Windows NT 6.1; WOW64) AppleWebKit/537.36 (KHTML, like Gecko) "
    "Chrome/55.0.2883.87 Safari/537.36";

AddressRequest BuildRequest(const std::string& mvBase, const Text& servicePath, const Text& id,
                            const Text& stamp, const Text& refererPath) {
    return AddressRequest{
        .address = mvBase + servicePath + id + "&_=" + stamp,
        .extraHeaders = Text(kUserAgentLine) + "\r\nReferer:" + mvBase + refererPath + id,
    };
}

}  // namespace

Text IdAfterLast(const Text& pageLink, const Text& marker) {
    Text id = TextAfterLast(pageLink, marker);
    std::erase_if(id, [](char c) { return static_cast<unsigned char>(c) < 0x20 || c == 0x7F; });
    return id;
}

Text WebAddressOnly(Text address) {
    const size_t schemeEnd = address.find("://");
    if (schemeEnd == Text::npos) return {};
    Text scheme = address.substr(0, schemeEnd);
    std::ranges::transform(scheme, scheme.begin(), [](char c) {
        return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
    });
    if (scheme != "http" && scheme != "https") return {};
    return address;
}

Text FetchAddressReply(const AddressRequest& request) {
    WebRequestOptions options;
    options.extraHeaders = request.extraHeaders;
    return WebRequest(request.address, options);
}

AddressRequest SongAddressRequest(const Text& pageLink, const std::string& mvBase,
                                  const Text& stamp) {
    return BuildRequest(mvBase, "/tool/song/ajax/api.php?callback=callback&kwId=",
                        IdAfterLast(pageLink, "kwid="), stamp, "/tool/song/?kwid=");
}

AddressRequest MvAddressRequest(const Text& pageLink, const std::string& mvBase,
                                const Text& stamp) {
    return BuildRequest(mvBase, "/tool/jiexi/ajax/ajax.php?callback=callback&videoId=",
                        IdAfterLast(pageLink, "id="), stamp, "/tool/jiexi/?id=");
}

}  // namespace tunelark
