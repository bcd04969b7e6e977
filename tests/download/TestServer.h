#pragma once

#include <httplib.h>

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace tunelark::test {

// How the test server misbehaves; the default is a well-behaved file server.
struct ServerFaults {
    // Close the connection of a ranged reply after this many body bytes (-1: never), for this
    // many replies.
    int64_t dropAfterBytes = -1;
    int dropReplies = 1 << 30;
    bool ignoreRange = false;            // answer 200 with the whole file
    int64_t shiftRange = 0;              // answer a range shifted by this many bytes
    bool omitContentLength = false;      // chunked replies without Content-Length
    int status = 0;                      // answer every request with this status
    int rangedStatus = 0;                // answer only ranged requests with this status
    std::chrono::milliseconds stall{0};  // wait this long before each ranged body
    std::string contentEncoding{};
    std::string contentLocation{};
};

// An HTTP server on 127.0.0.1 (port chosen by the system) that serves one body at every path,
// honours "Range: bytes=a-b" itself, and misbehaves as told. "/redirect/<name>" answers 302 to
// "/<name>".
class TestServer final {
public:
    explicit TestServer(std::string body);
    ~TestServer();
    TestServer(const TestServer&) = delete;
    TestServer& operator=(const TestServer&) = delete;

    [[nodiscard]] std::string Url(const std::string& path = "/file.bin") const;
    void SetFaults(const ServerFaults& faults);

    // The Range header of every request, in arrival order ("" for none).
    [[nodiscard]] std::vector<std::string> RangeHeaders() const;
    // The most ranged replies that were under way at one time.
    [[nodiscard]] int PeakRangedReplies() const;

private:
    struct Reply {
        int64_t first = 0;
        int64_t last = -1;
        bool ranged = false;
        bool drops = false;
    };
    void Serve(const httplib::Request& request, httplib::Response& response);
    Reply Plan(const std::string& range, const ServerFaults& faults, httplib::Response& response);
    void SendBody(const Reply& reply, const ServerFaults& faults, httplib::Response& response);
    bool Write(const Reply& reply, const ServerFaults& faults, size_t offset, size_t length,
               httplib::DataSink& sink);
    // False when the server is shutting down.
    bool Stall(std::chrono::milliseconds pause);

    const std::string body_;
    httplib::Server server_;
    int port_ = 0;
    std::thread thread_;

    mutable std::mutex mutex_;
    std::condition_variable stopping_;
    bool stopped_ = false;
    ServerFaults faults_;
    std::vector<std::string> ranges_;
    int rangedUnderWay_ = 0;
    int peakRanged_ = 0;
};

}  // namespace tunelark::test
