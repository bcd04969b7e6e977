#pragma once

#include <httplib.h>

#include <condition_variable>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace tunelark::test {

// What the server saw of one request.
struct SeenRequest {
    std::string target;  // path and query exactly as sent
    httplib::Headers headers;
};

// An HTTP server on 127.0.0.1 (ephemeral port) that answers each path with a saved reply and
// records every request. A held path answers only once Release() is called.
class ReplayServer final {
public:
    ReplayServer();
    ~ReplayServer();
    ReplayServer(const ReplayServer&) = delete;
    ReplayServer& operator=(const ReplayServer&) = delete;

    void Reply(const std::string& path, std::string body, bool held = false,
               std::string contentType = "text/plain");
    void Release();

    [[nodiscard]] std::string Base() const;
    [[nodiscard]] std::vector<SeenRequest> Requests() const;
    // Requests whose path is `path`.
    [[nodiscard]] std::vector<SeenRequest> RequestsTo(const std::string& path) const;
    // Blocks until `count` requests have arrived in all (bounded by a few seconds).
    bool WaitForRequests(size_t count) const;

private:
    struct Canned {
        std::string body;
        bool held = false;
        std::string contentType;
    };
    void Answer(const httplib::Request& request, httplib::Response& response);

    httplib::Server server_;
    int port_ = 0;
    std::thread thread_;
    mutable std::mutex mutex_;
    mutable std::condition_variable changed_;
    std::map<std::string, Canned> replies_;
    std::vector<SeenRequest> seen_;
    bool released_ = false;
};

}  // namespace tunelark::test
