#pragma once

#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace tunelark::test {

// A bare HTTP/1.1 server on 127.0.0.1 that keeps every request's header block byte for byte
// (what a parsing server would normalise away) and answers each request on its own connection:
// a ranged request with 206 and the range, any other with 200 and the whole body.
class RawCaptureServer final {
public:
    explicit RawCaptureServer(std::string body);
    ~RawCaptureServer();
    RawCaptureServer(const RawCaptureServer&) = delete;
    RawCaptureServer& operator=(const RawCaptureServer&) = delete;

    [[nodiscard]] std::string Url() const;
    // Each request's header block without its closing blank line, split into lines.
    [[nodiscard]] std::vector<std::vector<std::string>> Requests() const;

private:
    void Accept();
    void Answer(int connection);

    const std::string body_;
    int listener_ = -1;
    int port_ = 0;
    int wake_[2] = {-1, -1};
    std::thread thread_;
    mutable std::mutex mutex_;
    std::vector<std::vector<std::string>> requests_;
};

}  // namespace tunelark::test
