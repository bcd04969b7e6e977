#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

namespace tunelark::test {

// What the server writes to one connection: the bytes exactly as given, after an optional
// delay; then it closes the connection. Empty bytes: the connection closes without a reply.
struct ScriptedReply {
    std::string bytes;
    std::chrono::milliseconds delay{0};
};

// One request as it arrived: the request line and header lines exactly as sent, including the
// empty line that ends them, and the body (as long as its Content-Length said).
struct ReceivedRequest {
    std::string head;
    std::string body;
};

// A loopback HTTP server on an ephemeral port that answers the n-th connection with the n-th
// reply (the last reply again for any later one), one connection at a time. It exists so that
// a test sees the request bytes exactly and can make the reply misbehave at byte level.
class ScriptedServer final {
public:
    explicit ScriptedServer(std::vector<ScriptedReply> replies);
    ~ScriptedServer();
    ScriptedServer(const ScriptedServer&) = delete;
    ScriptedServer& operator=(const ScriptedServer&) = delete;

    [[nodiscard]] std::string Base() const;  // http://127.0.0.1:PORT
    [[nodiscard]] std::vector<ReceivedRequest> Requests() const;
    // Waits until `count` requests have arrived; false when they did not within `limit`.
    [[nodiscard]] bool WaitForRequests(std::size_t count, std::chrono::milliseconds limit) const;

private:
    void Serve();
    void Answer(int connection, const ScriptedReply& reply);
    [[nodiscard]] bool Stopping(std::chrono::milliseconds wait);

    std::vector<ScriptedReply> replies_;
    int port_ = 0;  // before listener_: set while the listener is made
    int listener_ = -1;
    mutable std::mutex mutex_;
    mutable std::condition_variable wake_;
    bool stopping_ = false;
    std::vector<ReceivedRequest> requests_;
    std::thread thread_;
};

// A complete reply: status line, the given header lines, Content-Length and
// "Connection: close" unless given, and the body.
[[nodiscard]] std::string HttpReply(std::string_view statusLine,
                                    const std::vector<std::string>& headers, std::string_view body);

// A port on 127.0.0.1 that nothing listens on (bound, then released).
[[nodiscard]] int UnusedPort();

}  // namespace tunelark::test
