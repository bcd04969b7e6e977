#include "net/TransferFailure.h"

namespace tunelark {

std::optional<RequestFailure> TransferFailure(const TransferOutcome& outcome) {
    switch (outcome.code) {
        case CURLE_OK:
            // A header block that the connection's end cut short is no reply either.
            if (!outcome.bodyStarted) return RequestFailure::kNoReply;
            return std::nullopt;
        case CURLE_URL_MALFORMAT:
        case CURLE_UNSUPPORTED_PROTOCOL:
            // Before anything was sent it is our address that the stack refused; later it is a
            // redirect's target, or a reply that is not HTTP.
            return outcome.requestSent ? RequestFailure::kNoReply : RequestFailure::kBadAddress;
        case CURLE_TOO_MANY_REDIRECTS:
            return RequestFailure::kNoReply;
        default:
            break;
    }
    if (outcome.bodyStarted) return RequestFailure::kRead;
    if (!outcome.requestSent) return RequestFailure::kSend;
    return RequestFailure::kNoReply;
}

}  // namespace tunelark
