#pragma once

#include <curl/curl.h>

#include <cstdint>
#include <optional>
#include <string>

namespace tunelark {

// "bytes <first>-<last>/<total>"; total is -1 for "*".
struct ContentRange {
    int64_t first = 0;
    int64_t last = 0;
    int64_t total = -1;
};

[[nodiscard]] std::optional<ContentRange> ParseContentRange(const std::string& value);

// The header lines of the last reply a transfer received (a redirect's lines are forgotten
// when the next status line arrives). Install with Attach before the transfer.
class ReplyHeaders final {
public:
    void Attach(CURL* easy);

    [[nodiscard]] int32_t Status() const { return status_; }
    // -1 when the reply carried no usable Content-Length.
    [[nodiscard]] int64_t ContentLength() const { return contentLength_; }
    [[nodiscard]] const std::string& ContentRangeValue() const { return contentRange_; }
    // "" when absent; "identity" counts as absent.
    [[nodiscard]] const std::string& ContentEncoding() const { return contentEncoding_; }
    [[nodiscard]] const std::optional<std::string>& ContentLocation() const {
        return contentLocation_;
    }

private:
    static size_t OnHeader(char* data, size_t size, size_t count, void* self);
    void Take(const std::string& line);

    int32_t status_ = 0;
    int64_t contentLength_ = -1;
    std::string contentRange_;
    std::string contentEncoding_;
    std::optional<std::string> contentLocation_;
};

}  // namespace tunelark
