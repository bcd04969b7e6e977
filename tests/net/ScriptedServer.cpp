#include "tests/net/ScriptedServer.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <stdexcept>

namespace tunelark::test {
namespace {

constexpr std::chrono::milliseconds kPollSlice{20};
constexpr auto kReadLimit = std::chrono::seconds(5);

int BoundSocket(int& port) {
    const int socketFd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (socketFd < 0) throw std::runtime_error("socket");
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = 0;
    auto* generic = reinterpret_cast<sockaddr*>(&address);
    socklen_t length = sizeof(address);
    if (::bind(socketFd, generic, sizeof(address)) != 0 ||
        ::getsockname(socketFd, generic, &length) != 0) {
        ::close(socketFd);
        throw std::runtime_error("bind");
    }
    port = ntohs(address.sin_port);
    return socketFd;
}

bool Readable(int fd) {
    pollfd entry{fd, POLLIN, 0};
    return ::poll(&entry, 1, static_cast<int>(kPollSlice.count())) > 0;
}

std::size_t ContentLength(std::string_view head) {
    std::string lower(head);
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    const std::size_t at = lower.find("\r\ncontent-length:");
    if (at == std::string::npos) return 0;
    return std::stoul(lower.substr(at + 17));
}

// Reads the head and then the body that its Content-Length announces.
ReceivedRequest ReadRequest(int connection) {
    std::string data;
    const auto deadline = std::chrono::steady_clock::now() + kReadLimit;
    std::size_t headEnd = std::string::npos;
    std::size_t wanted = std::string::npos;
    while (std::chrono::steady_clock::now() < deadline && data.size() < wanted) {
        if (!Readable(connection)) continue;
        char buffer[4096];
        const ssize_t got = ::recv(connection, buffer, sizeof(buffer), 0);
        if (got <= 0) break;
        data.append(buffer, static_cast<std::size_t>(got));
        if (headEnd == std::string::npos &&
            (headEnd = data.find("\r\n\r\n")) != std::string::npos) {
            headEnd += 4;
            wanted = headEnd + ContentLength(data.substr(0, headEnd));
        }
    }
    if (headEnd == std::string::npos) return {data, {}};
    return {data.substr(0, headEnd), data.substr(headEnd)};
}

}  // namespace

ScriptedServer::ScriptedServer(std::vector<ScriptedReply> replies)
    : replies_(std::move(replies)), listener_(BoundSocket(port_)) {
    if (::listen(listener_, 16) != 0) throw std::runtime_error("listen");
    thread_ = std::thread([this] { Serve(); });
}

ScriptedServer::~ScriptedServer() {
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    wake_.notify_all();
    thread_.join();
    ::close(listener_);
}

std::string ScriptedServer::Base() const {
    return "http://127.0.0.1:" + std::to_string(port_);
}

std::vector<ReceivedRequest> ScriptedServer::Requests() const {
    std::lock_guard lock(mutex_);
    return requests_;
}

bool ScriptedServer::WaitForRequests(std::size_t count, std::chrono::milliseconds limit) const {
    std::unique_lock lock(mutex_);
    return wake_.wait_for(lock, limit, [&] { return requests_.size() >= count; });
}

bool ScriptedServer::Stopping(std::chrono::milliseconds wait) {
    std::unique_lock lock(mutex_);
    return wake_.wait_for(lock, wait, [this] { return stopping_; });
}

void ScriptedServer::Serve() {
    std::size_t served = 0;
    while (!Stopping(std::chrono::milliseconds(0))) {
        if (!Readable(listener_)) continue;
        const int connection = ::accept4(listener_, nullptr, nullptr, SOCK_CLOEXEC);
        if (connection < 0) continue;
        ReceivedRequest request = ReadRequest(connection);
        {
            std::lock_guard lock(mutex_);
            requests_.push_back(std::move(request));
        }
        wake_.notify_all();
        Answer(connection, replies_[std::min(served++, replies_.size() - 1)]);
        ::close(connection);
    }
}

void ScriptedServer::Answer(int connection, const ScriptedReply& reply) {
    if (reply.delay.count() > 0 && Stopping(reply.delay)) return;
    std::string_view rest = reply.bytes;
    while (!rest.empty()) {
        const ssize_t sent = ::send(connection, rest.data(), rest.size(), MSG_NOSIGNAL);
        if (sent <= 0) return;
        rest.remove_prefix(static_cast<std::size_t>(sent));
    }
    // Let the client see the end of the reply before the close, so a reply the client reads
    // whole is not turned into a reset by unread request bytes.
    ::shutdown(connection, SHUT_WR);
    while (Readable(connection)) {
        char buffer[1024];
        if (::recv(connection, buffer, sizeof(buffer), 0) <= 0) break;
    }
}

std::string HttpReply(std::string_view statusLine, const std::vector<std::string>& headers,
                      std::string_view body) {
    std::string reply = std::string(statusLine) + "\r\n";
    bool hasLength = false;
    bool hasConnection = false;
    for (const std::string& header : headers) {
        reply += header + "\r\n";
        hasLength = hasLength || header.starts_with("Content-Length:");
        hasConnection = hasConnection || header.starts_with("Connection:");
    }
    if (!hasLength) reply += "Content-Length: " + std::to_string(body.size()) + "\r\n";
    if (!hasConnection) reply += "Connection: close\r\n";
    return reply + "\r\n" + std::string(body);
}

int UnusedPort() {
    int port = 0;
    ::close(BoundSocket(port));
    return port;
}

}  // namespace tunelark::test
