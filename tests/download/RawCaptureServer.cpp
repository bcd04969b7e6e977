#include "tests/download/RawCaptureServer.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>

namespace tunelark::test {
namespace {

std::vector<std::string> Lines(const std::string& block) {
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < block.size()) {
        size_t end = block.find("\r\n", start);
        if (end == std::string::npos) end = block.size();
        lines.push_back(block.substr(start, end - start));
        start = end + 2;
    }
    return lines;
}

void SendAll(int connection, const std::string& bytes) {
    size_t sent = 0;
    while (sent < bytes.size()) {
        const ssize_t n = send(connection, bytes.data() + sent, bytes.size() - sent, MSG_NOSIGNAL);
        if (n <= 0) return;
        sent += static_cast<size_t>(n);
    }
}

}  // namespace

RawCaptureServer::RawCaptureServer(std::string body) : body_(std::move(body)) {
    listener_ = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t size = sizeof address;
    bind(listener_, reinterpret_cast<sockaddr*>(&address), size);
    listen(listener_, 16);
    getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &size);
    port_ = ntohs(address.sin_port);
    if (pipe(wake_) != 0) wake_[0] = wake_[1] = -1;
    thread_ = std::thread([this] { Accept(); });
}

RawCaptureServer::~RawCaptureServer() {
    if (wake_[1] >= 0) (void)!write(wake_[1], "x", 1);
    thread_.join();
    close(listener_);
    close(wake_[0]);
    close(wake_[1]);
}

std::string RawCaptureServer::Url() const {
    return "http://127.0.0.1:" + std::to_string(port_) + "/file.bin";
}

std::vector<std::vector<std::string>> RawCaptureServer::Requests() const {
    std::lock_guard lock(mutex_);
    return requests_;
}

void RawCaptureServer::Accept() {
    for (;;) {
        pollfd waits[2] = {{listener_, POLLIN, 0}, {wake_[0], POLLIN, 0}};
        if (poll(waits, 2, -1) <= 0 || (waits[1].revents & POLLIN) != 0) return;
        const int connection = accept4(listener_, nullptr, nullptr, SOCK_CLOEXEC);
        if (connection < 0) continue;
        Answer(connection);
        close(connection);
    }
}

void RawCaptureServer::Answer(int connection) {
    std::string block;
    char buffer[4096];
    while (block.find("\r\n\r\n") == std::string::npos) {
        const ssize_t n = recv(connection, buffer, sizeof buffer, 0);
        if (n <= 0) return;
        block.append(buffer, static_cast<size_t>(n));
    }
    block.resize(block.find("\r\n\r\n"));
    {
        std::lock_guard lock(mutex_);
        requests_.push_back(Lines(block));
    }
    long long first = 0;
    long long last = 0;
    const size_t range = block.find("Range:bytes=");
    std::string head;
    std::string payload = body_;
    if (range != std::string::npos &&
        std::sscanf(block.c_str() + range, "Range:bytes=%lld-%lld", &first, &last) == 2) {
        last = std::min<long long>(last, static_cast<long long>(body_.size()) - 1);
        payload = body_.substr(static_cast<size_t>(first), static_cast<size_t>(last - first + 1));
        head = "HTTP/1.1 206 Partial Content\r\nContent-Range: bytes " + std::to_string(first) +
               "-" + std::to_string(last) + "/" + std::to_string(body_.size()) + "\r\n";
    } else {
        head = "HTTP/1.1 200 OK\r\n";
    }
    head += "Content-Length: " + std::to_string(payload.size()) + "\r\nConnection: close\r\n\r\n";
    SendAll(connection, head + payload);
}

}  // namespace tunelark::test
