#pragma once

#include <arpa/inet.h>
#include <httplib.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <string>
#include <thread>

namespace tunelark::test {

// An in-process HTTP server on 127.0.0.1 with a port of its own, stopped when it goes.
class LoopbackServer final {
public:
    LoopbackServer() = default;
    ~LoopbackServer() { Stop(); }
    LoopbackServer(const LoopbackServer&) = delete;
    LoopbackServer& operator=(const LoopbackServer&) = delete;

    httplib::Server& Routes() { return server_; }

    // Starts listening; call after the routes are set.
    void Start() {
        port_ = server_.bind_to_any_port("127.0.0.1");
        thread_ = std::thread([this] { server_.listen_after_bind(); });
    }
    void Stop() {
        server_.stop();
        if (thread_.joinable()) thread_.join();
    }
    [[nodiscard]] std::string Url(const std::string& path) const {
        return "http://127.0.0.1:" + std::to_string(port_) + path;
    }

private:
    httplib::Server server_;
    std::thread thread_;
    int port_ = 0;
};

// An address on loopback where nothing listens: a port taken from the system and let go.
[[nodiscard]] inline std::string ClosedPortUrl(const std::string& path) {
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof(address);
    ::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof(address));
    ::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length);
    ::close(fd);
    return "http://127.0.0.1:" + std::to_string(ntohs(address.sin_port)) + path;
}

}  // namespace tunelark::test
