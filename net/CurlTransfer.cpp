#include "net/CurlTransfer.h"

#include <mutex>
#include <string_view>

#include "net/HeaderText.h"
#include "net/SlicedPerform.h"

namespace tunelark {
namespace {

constexpr std::string_view kLocation = "Location:";

struct Collector {
    TransferOutcome& outcome;
    bool followsRedirects;
    std::size_t maxBodyBytes;
    int status = 0;
    bool sawLocation = false;
};

int StatusCode(std::string_view statusLine) {
    const std::size_t blank = statusLine.find(' ');
    int code = 0;
    for (std::size_t i = blank + 1; blank != std::string_view::npos && i < statusLine.size(); ++i) {
        if (statusLine[i] < '0' || statusLine[i] > '9') break;
        code = code * 10 + (statusLine[i] - '0');
        if (code > 999) return 0;
    }
    return code;
}

// An interim reply (1xx), or a redirect that the transfer goes on to follow.
bool IsStepOnTheWay(const Collector& collector) {
    const int status = collector.status;
    const bool redirect =
        status == 301 || status == 302 || status == 303 || status == 307 || status == 308;
    return (status >= 100 && status < 200) ||
           (redirect && collector.sawLocation && collector.followsRedirects);
}

void AddHeaderLine(Collector& collector, std::string_view line) {
    TransferOutcome& outcome = collector.outcome;
    if (line.starts_with("HTTP/")) {
        // A new reply: what came before belonged to an interim reply or a redirect.
        outcome.rawHeaders.clear();
        outcome.body.clear();
        outcome.replyStarted = true;
        outcome.bodyStarted = false;
        collector.status = StatusCode(line);
        collector.sawLocation = false;
    } else if (!outcome.replyStarted || outcome.bodyStarted) {
        return;  // trailers after a chunked body are not part of the header block
    }
    if (EqualIgnoringCase(line.substr(0, kLocation.size()), kLocation))
        collector.sawLocation = true;
    for (char c : line) {
        if (c != '\0') outcome.rawHeaders += c;  // texts hold no zero byte
    }
    outcome.rawHeaders += "\r\n";
    if (line.empty() && !IsStepOnTheWay(collector)) outcome.bodyStarted = true;
}

std::size_t OnHeader(char* data, std::size_t size, std::size_t count, void* context) {
    std::string_view line(data, size * count);
    while (line.ends_with('\n') || line.ends_with('\r')) line.remove_suffix(1);
    AddHeaderLine(*static_cast<Collector*>(context), line);
    return size * count;
}

std::size_t OnBody(char* data, std::size_t size, std::size_t count, void* context) {
    auto& collector = *static_cast<Collector*>(context);
    std::string& body = collector.outcome.body;
    if (size * count > collector.maxBodyBytes - body.size()) return 0;  // refuse to grow further
    body.append(data, size * count);
    return size * count;
}

}  // namespace

void EnsureCurlReady() {
    static std::once_flag once;
    std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

bool CurlSpeaksHttp() {
    const curl_version_info_data* info = curl_version_info(CURLVERSION_NOW);
    if (!info || !info->protocols) return false;
    for (const char* const* protocol = info->protocols; *protocol; ++protocol) {
        if (std::string_view(*protocol) == "http") return true;
    }
    return false;
}

CurlTransfer::CurlTransfer() : easy_(curl_easy_init()) {}

CurlTransfer::~CurlTransfer() = default;

bool CurlTransfer::SetHeaders(const std::vector<std::string>& lines) {
    headers_.reset();
    curl_slist* list = nullptr;
    for (const std::string& line : lines) {
        curl_slist* longer = curl_slist_append(list, line.c_str());
        if (!longer) {
            curl_slist_free_all(list);
            return false;
        }
        list = longer;
    }
    headers_.reset(list);
    return curl_easy_setopt(easy_.get(), CURLOPT_HTTPHEADER, headers_.get()) == CURLE_OK;
}

TransferOutcome CurlTransfer::Perform(std::chrono::milliseconds idleLimit,
                                      std::size_t bodyBytesToSend, bool followsRedirects,
                                      std::size_t maxBodyBytes) {
    TransferOutcome outcome;
    Collector collector{outcome, followsRedirects, maxBodyBytes};
    CURL* easy = easy_.get();
    const bool ready = curl_easy_setopt(easy, CURLOPT_HEADERFUNCTION, OnHeader) == CURLE_OK &&
                       curl_easy_setopt(easy, CURLOPT_HEADERDATA, &collector) == CURLE_OK &&
                       curl_easy_setopt(easy, CURLOPT_WRITEFUNCTION, OnBody) == CURLE_OK &&
                       curl_easy_setopt(easy, CURLOPT_WRITEDATA, &collector) == CURLE_OK;
    if (!ready) {
        outcome.code = CURLE_FAILED_INIT;
        return outcome;
    }
    outcome.code = PerformInSlices(easy, idleLimit);
    outcome.requestSent =
        CurlInfoLong(easy, CURLINFO_REQUEST_SIZE) > 0 &&
        CurlInfoNumber(easy, CURLINFO_SIZE_UPLOAD_T) >= static_cast<curl_off_t>(bodyBytesToSend);
    return outcome;
}

}  // namespace tunelark
