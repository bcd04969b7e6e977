#include "download/RangeFetch.h"

#include "download/CurlHandle.h"
#include "download/DownloadHeaders.h"

namespace tunelark {
namespace {

// Failures of the connection itself, which another request may not meet.
bool IsConnectionFailure(CURLcode code) {
    switch (code) {
        case CURLE_PARTIAL_FILE:
        case CURLE_RECV_ERROR:
        case CURLE_SEND_ERROR:
        case CURLE_OPERATION_TIMEDOUT:
        case CURLE_GOT_NOTHING:
        case CURLE_COULDNT_CONNECT:
        case CURLE_HTTP2:
        case CURLE_HTTP2_STREAM:
            return true;
        default:
            return false;
    }
}

std::string RangeText(int64_t first, int64_t last) {
    return std::to_string(first) + "-" + std::to_string(last);
}

}  // namespace

RangeFetch::RangeFetch(const std::string& address, const DownloadSettings& settings,
                       FetchRange range)
    : address_(address),
      settings_(settings),
      range_(range),
      wanted_(range.last - range.first + 1) {}

FetchOutcome RangeFetch::Run(CURL* easy, const ChunkSink& sink, const HaltCheck& halt) {
    sink_ = &sink;
    halt_ = &halt;
    Prepare(easy);
    const bool ranged = range_.nominalLast >= 0;
    CurlList headers =
        HeaderList(DownloadHeaders(), ranged ? RangeLine(range_.first, range_.nominalLast) : "");
    curl_easy_setopt(easy, CURLOPT_HTTPHEADER, headers.get());
    const CURLcode code = curl_easy_perform(easy);
    curl_easy_setopt(easy, CURLOPT_HTTPHEADER, nullptr);
    return Outcome(code);
}

void RangeFetch::Prepare(CURL* easy) {
    curl_easy_reset(easy);
    ApplyCommonOptions(easy, settings_);
    curl_easy_setopt(easy, CURLOPT_URL, address_.c_str());
    curl_easy_setopt(easy, CURLOPT_FOLLOWLOCATION, 1L);
    curl_easy_setopt(easy, CURLOPT_WRITEFUNCTION, &RangeFetch::OnBody);
    curl_easy_setopt(easy, CURLOPT_WRITEDATA, this);
    curl_easy_setopt(easy, CURLOPT_NOPROGRESS, 0L);
    curl_easy_setopt(easy, CURLOPT_XFERINFOFUNCTION, &RangeFetch::OnProgress);
    curl_easy_setopt(easy, CURLOPT_XFERINFODATA, this);
    headers_.Attach(easy);
}

size_t RangeFetch::OnBody(char* data, size_t size, size_t count, void* self) {
    return static_cast<RangeFetch*>(self)->TakeBody(data, size * count) ? size * count : 0;
}

int RangeFetch::OnProgress(void* self, curl_off_t, curl_off_t, curl_off_t, curl_off_t) {
    auto* fetch = static_cast<RangeFetch*>(self);
    fetch->halted_ = fetch->halted_ || (*fetch->halt_)();
    return fetch->halted_ ? 1 : 0;
}

bool RangeFetch::TakeBody(const char* data, size_t size) {
    if (!checked_) {
        checked_ = true;
        if (!CheckReply()) return false;
    }
    if (written_ + static_cast<int64_t>(size) > wanted_) {
        verdict_ = End(FetchEnd::Failed, "the server sent more bytes than asked for");
        return false;
    }
    if (!(*sink_)(range_.first + written_, data, size)) {
        halted_ = true;
        return false;
    }
    written_ += static_cast<int64_t>(size);
    return true;
}

bool RangeFetch::CheckReply() {
    const int32_t status = headers_.Status();
    if (status >= 400) {
        verdict_ = End(FetchEnd::Failed, "the server answered HTTP " + std::to_string(status));
    } else if (!headers_.ContentEncoding().empty()) {
        verdict_ = End(FetchEnd::Failed,
                       "the server sent an encoded (" + headers_.ContentEncoding() + ") body");
    } else if (range_.nominalLast >= 0) {
        return CheckRangedReply();
    } else if (status != 200) {
        verdict_ = End(FetchEnd::Failed, "unexpected HTTP " + std::to_string(status));
    } else if (headers_.ContentLength() >= 0 && headers_.ContentLength() != range_.total) {
        verdict_ = End(FetchEnd::Failed, "the file's length changed on the server");
    }
    return !verdict_;
}

bool RangeFetch::CheckRangedReply() {
    const int32_t status = headers_.Status();
    if (status == 200) {
        verdict_ = End(FetchEnd::RangeRefused, "the server ignored the Range line");
        return false;
    }
    if (status != 206) {
        verdict_ = End(FetchEnd::Failed, "unexpected HTTP " + std::to_string(status));
        return false;
    }
    const auto got = ParseContentRange(headers_.ContentRangeValue());
    if (!got || got->first != range_.first || got->last != range_.last ||
        (got->total >= 0 && got->total != range_.total)) {
        verdict_ = End(FetchEnd::RangeRefused, "the server answered bytes " +
                                                   headers_.ContentRangeValue() + " for bytes " +
                                                   RangeText(range_.first, range_.last));
        return false;
    }
    return true;
}

FetchOutcome RangeFetch::Outcome(CURLcode code) {
    if (verdict_) return *verdict_;
    if (halted_) return End(FetchEnd::Halted, "stopped");
    // A reply with no body byte was not checked yet (an error page may have an empty body).
    if (!checked_ && headers_.Status() != 0 && !CheckReply()) return *verdict_;
    const FetchEnd retry = range_.nominalLast >= 0 ? FetchEnd::Retry : FetchEnd::Failed;
    if (code == CURLE_OK) {
        if (written_ == wanted_) return End(FetchEnd::Complete, {});
        return End(retry, "the connection closed after " + std::to_string(written_) + " of " +
                              std::to_string(wanted_) + " bytes");
    }
    if (IsConnectionFailure(code)) return End(retry, curl_easy_strerror(code));
    return End(FetchEnd::Failed, curl_easy_strerror(code));
}

FetchOutcome RangeFetch::End(FetchEnd end, std::string reason) const {
    return FetchOutcome{end, written_, std::move(reason)};
}

}  // namespace tunelark
