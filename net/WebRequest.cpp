#include "net/WebRequest.h"

#include <chrono>
#include <cstdint>
#include <optional>
#include <vector>

#include "net/CharsetDecoding.h"
#include "net/Cookies.h"
#include "net/CurlTransfer.h"
#include "net/HeaderBlock.h"
#include "net/HeaderText.h"
#include "net/ReplyHeaders.h"
#include "net/RequestAddress.h"
#include "net/RequestFailure.h"
#include "net/TransferFailure.h"
#include "net/WaitHook.h"
#include "text/CodePage.h"

namespace tunelark {
namespace {

constexpr std::chrono::milliseconds kDefaultTimeout{30000};
// The usual limit of a desktop HTTP stack.
constexpr long kMaxRedirects = 10;
// A reply larger than this is cut off as a failed read: no page the system reads comes near it,
// and a hostile server must not be able to fill the memory.
constexpr std::size_t kMaxBodyBytes = std::size_t{64} << 20;

enum class Method { kGet, kPost, kHead, kPut };

Method MethodOf(int method) {
    switch (method) {
        case 1:
            return Method::kPost;
        case 2:
            return Method::kHead;
        case 3:
            return Method::kPut;
        default:
            return Method::kGet;
    }
}

std::chrono::milliseconds TimeoutOf(int seconds) {
    if (seconds <= 0) return kDefaultTimeout;
    return std::chrono::milliseconds(std::int64_t{seconds} * 1000);
}

void Write(Text* place, const Text& value) {
    if (place) *place = value;
}

// A header line in libcurl's terms: an empty value is written "Name;", since "Name:" would
// remove the header instead of sending it empty.
std::string CurlHeaderLine(const HeaderLine& header) {
    if (header.value.empty()) return header.name + ";";
    return header.name + ": " + header.value;
}

bool HasHeader(const std::vector<HeaderLine>& headers, std::string_view name) {
    for (const HeaderLine& header : headers) {
        if (EqualIgnoringCase(header.name, name)) return true;
    }
    return false;
}

// One call's exchange, step by step; every set-up step that fails names its failure.
class Exchange final {
public:
    Exchange(const WebRequestOptions& options, const WebRequestOutputs& outputs)
        : options_(options), outputs_(outputs), method_(MethodOf(options.method)) {}

    Text Run(const Text& address) {
        EnsureCurlReady();
        if (!CurlSpeaksHttp()) return Fail(RequestFailure::kNoHttpStack);
        const auto target = SplitAddress(address);
        if (!target) return Fail(RequestFailure::kBadAddress);
        if (!transfer_.IsValid()) return Fail(RequestFailure::kSession);
        if (const auto failure = Configure(*target)) return Fail(*failure);
        const TransferOutcome outcome =
            transfer_.Perform(TimeoutOf(options_.timeoutSeconds), BodyBytesToSend(),
                              !options_.noRedirects, kMaxBodyBytes);
        const auto failure = TransferFailure(outcome);
        // A cancelled call hands out nothing, not even a body read in part: its caller is
        // going away and must not take half a page for a whole one.
        if (outcome.code == CURLE_ABORTED_BY_CALLBACK)
            return Fail(failure.value_or(RequestFailure::kNoReply));
        if (failure && *failure != RequestFailure::kRead) return Fail(*failure);
        // A body cut short is still read, but the status keeps saying that it was cut short.
        if (failure) Write(outputs_.status, FailureText(*failure));
        return Finish(outcome, failure.has_value());
    }

private:
    template <typename Value>
    bool Set(CURLoption option, Value value) {
        return curl_easy_setopt(transfer_.Handle(), option, value) == CURLE_OK;
    }

    std::optional<RequestFailure> Configure(const RequestAddress& target) {
        if (!SetSession()) return RequestFailure::kSession;
        if (!Set(CURLOPT_URL, target.Url().c_str())) return RequestFailure::kConnection;
        if (!SetMethod()) return RequestFailure::kRequest;
        if (!SetTimeouts()) return RequestFailure::kTimeouts;
        if (!SetCredentials()) return RequestFailure::kCredentials;
        // The cookie engine runs only for a caller that keeps cookies, so that cookies a redirect
        // sets travel on to its target within the call; otherwise nothing is stored or sent.
        if (options_.cookies && !Set(CURLOPT_COOKIEFILE, "")) return RequestFailure::kCookieOption;
        if (!SetRedirects()) return RequestFailure::kRedirectOption;
        if (!SetHeaders()) return RequestFailure::kHeaders;
        return std::nullopt;
    }

    bool SetSession() {
        // An empty proxy means a direct connection, whatever the environment says.
        std::string proxy = GbkToUtf8(options_.proxy);
        if (!proxy.empty() && proxy.find("://") == std::string::npos) proxy = "http://" + proxy;
        return Set(CURLOPT_NOSIGNAL, 1L) && Set(CURLOPT_PROXY, proxy.c_str()) &&
               Set(CURLOPT_PROTOCOLS_STR, "http,https") && Set(CURLOPT_SSL_VERIFYPEER, 1L) &&
               Set(CURLOPT_SSL_VERIFYHOST, 2L) && Set(CURLOPT_SUPPRESS_CONNECT_HEADERS, 1L);
    }

    bool SetMethod() {
        if (!Set(CURLOPT_HTTP_VERSION, CURL_HTTP_VERSION_1_1)) return false;
        if (method_ == Method::kHead) return Set(CURLOPT_NOBODY, 1L);
        if (method_ == Method::kGet && options_.body.empty()) return Set(CURLOPT_HTTPGET, 1L);
        const auto size = static_cast<curl_off_t>(options_.body.size());
        if (!Set(CURLOPT_POSTFIELDSIZE_LARGE, size) ||
            !Set(CURLOPT_POSTFIELDS, options_.body.data())) {
            return false;
        }
        if (method_ == Method::kPut) return Set(CURLOPT_CUSTOMREQUEST, "PUT");
        if (method_ == Method::kGet) return Set(CURLOPT_CUSTOMREQUEST, "GET");
        return true;
    }

    std::size_t BodyBytesToSend() const {
        if (method_ == Method::kHead) return 0;
        return options_.body.size();
    }

    bool SetTimeouts() {
        // Sending and receiving are limited by the transfer's idle limit.
        return Set(CURLOPT_CONNECTTIMEOUT_MS,
                   static_cast<long>(TimeoutOf(options_.timeoutSeconds).count()));
    }

    bool SetCredentials() {
        const bool server = !options_.userName.empty() && !options_.password.empty();
        const bool proxy = !options_.proxyUserName.empty() && !options_.proxyPassword.empty();
        if (server && !(Set(CURLOPT_HTTPAUTH, CURLAUTH_BASIC) &&
                        Set(CURLOPT_USERNAME, options_.userName.c_str()) &&
                        Set(CURLOPT_PASSWORD, options_.password.c_str()))) {
            return false;
        }
        return !proxy || (Set(CURLOPT_PROXYAUTH, CURLAUTH_BASIC) &&
                          Set(CURLOPT_PROXYUSERNAME, options_.proxyUserName.c_str()) &&
                          Set(CURLOPT_PROXYPASSWORD, options_.proxyPassword.c_str()));
    }

    bool SetRedirects() {
        if (options_.noRedirects) return Set(CURLOPT_FOLLOWLOCATION, 0L);
        return Set(CURLOPT_FOLLOWLOCATION, 1L) && Set(CURLOPT_MAXREDIRS, kMaxRedirects) &&
               Set(CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
    }

    bool SetHeaders() {
        const auto headers =
            ApplyHeaderBlock(BuildHeaderBlock(options_.extraHeaders, options_.cookies));
        if (!headers) return false;
        std::vector<std::string> lines;
        for (const HeaderLine& header : *headers) lines.push_back(CurlHeaderLine(header));
        // Headers the stack would add on its own that the block did not ask for.
        for (std::string_view name : {"Expect", "Proxy-Connection"}) {
            if (!HasHeader(*headers, name)) lines.push_back(std::string(name) + ":");
        }
        return transfer_.SetHeaders(lines);
    }

    Text Fail(RequestFailure failure) {
        Write(outputs_.status, FailureText(failure));
        RunWaitHook();
        return {};
    }

    Text Finish(const TransferOutcome& outcome, bool readFailed) {
        if (outcome.rawHeaders.empty()) {
            RunWaitHook();
            return {};
        }
        const ReplyHeaderFacts facts = ReadReplyHeaders(outcome.rawHeaders);
        Write(outputs_.replyHeaders, facts.headers);
        if (!readFailed) Write(outputs_.status, facts.status);
        Text replyCookies = facts.cookies;
        if (options_.cookies) MergeCookies(*options_.cookies, replyCookies);
        Write(outputs_.replyCookies, replyCookies);
        if (facts.location) Write(outputs_.redirectTarget, *facts.location);
        if (outputs_.replyBytes) *outputs_.replyBytes = outcome.body;
        Text result = PageText(outcome.body);
        RunWaitHook();
        return result;
    }

    const WebRequestOptions& options_;
    const WebRequestOutputs& outputs_;
    const Method method_;
    CurlTransfer transfer_;
};

}  // namespace

Text WebRequest(const Text& address, const WebRequestOptions& options,
                const WebRequestOutputs& outputs) {
    return Exchange(options, outputs).Run(address);
}

}  // namespace tunelark
