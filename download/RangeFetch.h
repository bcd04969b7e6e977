#pragma once

#include <curl/curl.h>

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "download/DownloadSettings.h"
#include "download/ReplyHeaders.h"

namespace tunelark {

// The bytes one transfer asks for.
struct FetchRange {
    int64_t first = 0;  // first byte wanted
    int64_t last = 0;   // last byte wanted, within the file
    // What the Range line asks for (a part's nominal end); -1 sends no Range line and expects
    // the whole file in a 200 reply.
    int64_t nominalLast = -1;
    int64_t total = 0;  // the file's length
};

enum class FetchEnd {
    Complete,      // every byte of the range was delivered
    Retry,         // the connection failed or closed early; ask again from the next byte
    RangeRefused,  // the reply did not carry the range asked for (200, or a shifted 206)
    Failed,        // an error no retry mends (HTTP error, encoded body, ...)
    Halted,        // the sink asked to end (job stopped or failed)
};

struct FetchOutcome {
    FetchEnd end = FetchEnd::Failed;
    int64_t written = 0;  // bytes delivered to the sink by this transfer
    std::string reason;
};

// Takes the bytes of a transfer, in order, at their file offset. False ends the transfer.
using ChunkSink = std::function<bool(int64_t offset, const char* data, size_t size)>;
// Polled while the transfer waits for the network: true ends it.
using HaltCheck = std::function<bool()>;

// One GET of a byte range over a reused easy handle. The reply is checked before its first
// byte is delivered: nothing of a reply that is not exactly the range asked for reaches the sink.
class RangeFetch final {
public:
    RangeFetch(const std::string& address, const DownloadSettings& settings, FetchRange range);
    RangeFetch(const RangeFetch&) = delete;
    RangeFetch& operator=(const RangeFetch&) = delete;

    [[nodiscard]] FetchOutcome Run(CURL* easy, const ChunkSink& sink, const HaltCheck& halt);

private:
    static size_t OnBody(char* data, size_t size, size_t count, void* self);
    static int OnProgress(void* self, curl_off_t, curl_off_t, curl_off_t, curl_off_t);
    void Prepare(CURL* easy);
    bool TakeBody(const char* data, size_t size);
    // Sets verdict_ and returns false when the reply is not the one asked for.
    bool CheckReply();
    bool CheckRangedReply();
    FetchOutcome Outcome(CURLcode code);
    FetchOutcome End(FetchEnd end, std::string reason) const;

    const std::string& address_;
    const DownloadSettings& settings_;
    const FetchRange range_;
    const int64_t wanted_;
    ReplyHeaders headers_;
    const ChunkSink* sink_ = nullptr;
    const HaltCheck* halt_ = nullptr;
    int64_t written_ = 0;
    bool checked_ = false;
    bool halted_ = false;
    std::optional<FetchOutcome> verdict_;
};

}  // namespace tunelark
