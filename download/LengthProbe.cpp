#include "download/LengthProbe.h"

#include "download/DownloadHeaders.h"
#include "download/HeaderProbe.h"

namespace tunelark {

LengthProbeResult ProbeLength(const Text& address, const DownloadSettings& settings) {
    LengthProbeResult result;
    const HeaderProbeReply reply = ProbeHeaders({address, DownloadHeaders(), {}, true}, settings);
    const ReplyHeaders& headers = reply.headers;
    if (reply.cancelled) {
        result.error = reply.error;
    } else if (!reply.reached) {
        result.error = "cannot reach the server: " + reply.error;
    } else if (headers.Status() < 200 || headers.Status() > 299) {
        result.error = "the server answered HTTP " + std::to_string(headers.Status());
    } else if (!headers.ContentEncoding().empty()) {
        result.error = "the server sends the file " + headers.ContentEncoding() +
                       "-encoded, which cannot be stored as it is";
    } else if (headers.ContentLength() < 0) {
        result.error = "the server does not announce the file's length";
    } else {
        result.ok = true;
        result.length = headers.ContentLength();
        result.partAddress = reply.finalAddress;
    }
    return result;
}

}  // namespace tunelark
