#pragma once

#include <curl/curl.h>

#include <chrono>
#include <cstddef>
#include <memory>
#include <string>
#include <vector>

namespace tunelark {

// What one transfer brought back.
struct TransferOutcome {
    CURLcode code = CURLE_OK;
    // The final reply's status line and header lines, each ending in CR LF, and the empty line
    // that ends the block.
    std::string rawHeaders;
    std::string body;           // the final reply's body, as far as it came
    bool replyStarted = false;  // some reply's status line arrived
    bool bodyStarted = false;   // the final reply's header block was complete
    bool requestSent = false;   // the request line, headers and body all went out
};

// libcurl's process-wide set-up, done once (programs normally do it first thing in main).
void EnsureCurlReady();

// Whether the libcurl in use speaks HTTP at all.
[[nodiscard]] bool CurlSpeaksHttp();

// One easy handle and what it needs to live as long as it: the header list.
class CurlTransfer final {
public:
    CurlTransfer();
    ~CurlTransfer();
    CurlTransfer(const CurlTransfer&) = delete;
    CurlTransfer& operator=(const CurlTransfer&) = delete;

    [[nodiscard]] bool IsValid() const { return easy_ != nullptr; }
    [[nodiscard]] CURL* Handle() const { return easy_.get(); }

    [[nodiscard]] bool SetHeaders(const std::vector<std::string>& lines);

    // Runs the exchange. Gives up with CURLE_OPERATION_TIMEDOUT when nothing moves for
    // idleLimit, and with CURLE_ABORTED_BY_CALLBACK when the thread's cancel scope asks to stop;
    // keeps at most maxBodyBytes of a body (more fails with CURLE_WRITE_ERROR), and lets the
    // window handle its events while it waits. followsRedirects tells which replies are only
    // steps on the way.
    [[nodiscard]] TransferOutcome Perform(std::chrono::milliseconds idleLimit,
                                          std::size_t bodyBytesToSend, bool followsRedirects,
                                          std::size_t maxBodyBytes);

private:
    struct EasyCleanup {
        void operator()(CURL* easy) const { curl_easy_cleanup(easy); }
    };
    struct ListCleanup {
        void operator()(curl_slist* list) const { curl_slist_free_all(list); }
    };
    std::unique_ptr<CURL, EasyCleanup> easy_;
    std::unique_ptr<curl_slist, ListCleanup> headers_;
};

}  // namespace tunelark
