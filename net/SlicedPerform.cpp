#include "net/SlicedPerform.h"

#include "net/WaitHook.h"
#include "platform/CancelScope.h"

namespace tunelark {
namespace {

// How long one wait for the sockets lasts before the window gets its turn.
constexpr int kWaitSliceMs = 25;

// Bytes moved so far in either direction; any change counts as activity.
curl_off_t BytesMoved(CURL* easy) {
    return CurlInfoNumber(easy, CURLINFO_SIZE_DOWNLOAD_T) +
           CurlInfoNumber(easy, CURLINFO_SIZE_UPLOAD_T) + CurlInfoLong(easy, CURLINFO_HEADER_SIZE) +
           CurlInfoLong(easy, CURLINFO_REQUEST_SIZE);
}

// The easy handle inside a multi handle of its own, so that the wait can be cut into slices.
class MultiRun final {
public:
    explicit MultiRun(CURL* easy) : multi_(curl_multi_init()), easy_(easy) {
        added_ = multi_ && curl_multi_add_handle(multi_, easy_) == CURLM_OK;
    }
    ~MultiRun() {
        if (added_) curl_multi_remove_handle(multi_, easy_);
        if (multi_) curl_multi_cleanup(multi_);
    }
    MultiRun(const MultiRun&) = delete;
    MultiRun& operator=(const MultiRun&) = delete;

    CURLcode Run(std::chrono::milliseconds idleLimit) {
        if (!added_) return CURLE_OUT_OF_MEMORY;
        using Clock = std::chrono::steady_clock;
        auto lastActivity = Clock::now();
        curl_off_t moved = 0;
        for (;;) {
            if (CancelRequested()) return CURLE_ABORTED_BY_CALLBACK;
            int running = 0;
            if (curl_multi_perform(multi_, &running) != CURLM_OK) return CURLE_RECV_ERROR;
            if (running == 0) return Result();
            if (const curl_off_t now = BytesMoved(easy_); now != moved) {
                moved = now;
                lastActivity = Clock::now();
            } else if (Clock::now() - lastActivity >= idleLimit) {
                return CURLE_OPERATION_TIMEDOUT;
            }
            curl_multi_poll(multi_, nullptr, 0, kWaitSliceMs, nullptr);
            RunWaitHook();
        }
    }

private:
    CURLcode Result() {
        int left = 0;
        while (CURLMsg* message = curl_multi_info_read(multi_, &left)) {
            if (message->msg == CURLMSG_DONE) return message->data.result;
        }
        return CURLE_RECV_ERROR;
    }

    CURLM* multi_;
    CURL* easy_;
    bool added_ = false;
};

}  // namespace

CURLcode PerformInSlices(CURL* easy, std::chrono::milliseconds idleLimit) {
    return MultiRun(easy).Run(idleLimit);
}

curl_off_t CurlInfoNumber(CURL* easy, CURLINFO info) {
    curl_off_t value = 0;
    if (curl_easy_getinfo(easy, info, &value) != CURLE_OK) return 0;
    return value;
}

long CurlInfoLong(CURL* easy, CURLINFO info) {
    long value = 0;
    if (curl_easy_getinfo(easy, info, &value) != CURLE_OK) return 0;
    return value;
}

}  // namespace tunelark
