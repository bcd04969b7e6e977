#include "tests/download/TestServer.h"

#include <algorithm>
#include <cstdio>

namespace tunelark::test {
namespace {

constexpr size_t kServerChunk = 64 * 1024;

bool ParseRange(const std::string& value, int64_t& first, int64_t& last) {
    long long a = 0;
    long long b = 0;
    if (std::sscanf(value.c_str(), "bytes=%lld-%lld", &a, &b) != 2) return false;
    first = a;
    last = b;
    return true;
}

}  // namespace

TestServer::TestServer(std::string body) : body_(std::move(body)) {
    server_.Get(R"(/redirect/(.*))",
                [](const httplib::Request& request, httplib::Response& response) {
                    std::string target = "/";
                    target += request.matches[1].str();
                    response.set_redirect(target);
                });
    server_.Get(R"(/.*)", [this](const httplib::Request& request, httplib::Response& response) {
        Serve(request, response);
    });
    port_ = server_.bind_to_any_port("127.0.0.1");
    thread_ = std::thread([this] { server_.listen_after_bind(); });
    while (!server_.is_running()) std::this_thread::yield();
}

TestServer::~TestServer() {
    {
        std::lock_guard lock(mutex_);
        stopped_ = true;
    }
    stopping_.notify_all();
    server_.stop();
    thread_.join();
}

std::string TestServer::Url(const std::string& path) const {
    return "http://127.0.0.1:" + std::to_string(port_) + path;
}

void TestServer::SetFaults(const ServerFaults& faults) {
    std::lock_guard lock(mutex_);
    faults_ = faults;
}

std::vector<std::string> TestServer::RangeHeaders() const {
    std::lock_guard lock(mutex_);
    return ranges_;
}

int TestServer::PeakRangedReplies() const {
    std::lock_guard lock(mutex_);
    return peakRanged_;
}

void TestServer::Serve(const httplib::Request& request, httplib::Response& response) {
    // This server answers ranges itself (and wrongly when told), not the library.
    const_cast<httplib::Request&>(request).ranges.clear();
    const std::string range = request.get_header_value("Range");
    ServerFaults faults;
    {
        std::lock_guard lock(mutex_);
        ranges_.push_back(range);
        faults = faults_;
    }
    if (faults.status != 0) {
        response.status = faults.status;
        response.set_content("error", "text/plain");
        return;
    }
    if (!faults.contentEncoding.empty())
        response.set_header("Content-Encoding", faults.contentEncoding);
    if (!faults.contentLocation.empty())
        response.set_header("Content-Location", faults.contentLocation);
    const Reply reply = Plan(range, faults, response);
    if (response.status >= 400) return;
    SendBody(reply, faults, response);
}

TestServer::Reply TestServer::Plan(const std::string& range, const ServerFaults& faults,
                                   httplib::Response& response) {
    Reply reply;
    reply.last = static_cast<int64_t>(body_.size()) - 1;
    response.status = 200;
    if (range.empty() || faults.ignoreRange || !ParseRange(range, reply.first, reply.last)) {
        return reply;
    }
    if (faults.rangedStatus != 0) {
        response.status = faults.rangedStatus;
        response.set_content("error", "text/plain");
        return reply;
    }
    reply.ranged = true;
    const auto end = static_cast<int64_t>(body_.size()) - 1;
    reply.last = std::min(reply.last, end);
    if (reply.first > reply.last) {
        response.status = 416;
        response.set_content("", "text/plain");
        return reply;
    }
    // A shift that would leave the file is not made (that part is answered rightly).
    if (reply.first + faults.shiftRange <= end) {
        reply.first += faults.shiftRange;
        reply.last = std::min(reply.last + faults.shiftRange, end);
    }
    response.status = 206;
    char contentRange[96];
    std::snprintf(contentRange, sizeof contentRange, "bytes %lld-%lld/%zu",
                  static_cast<long long>(reply.first), static_cast<long long>(reply.last),
                  body_.size());
    response.set_header("Content-Range", contentRange);
    return reply;
}

void TestServer::SendBody(const Reply& planned, const ServerFaults& faults,
                          httplib::Response& response) {
    Reply reply = planned;
    {
        std::lock_guard lock(mutex_);
        if (reply.ranged) peakRanged_ = std::max(peakRanged_, ++rangedUnderWay_);
        if (reply.ranged && faults.dropAfterBytes >= 0 && faults_.dropReplies > 0) {
            reply.drops = true;
            --faults_.dropReplies;
        }
    }
    auto done = [this, reply](bool) {
        std::lock_guard lock(mutex_);
        if (reply.ranged) --rangedUnderWay_;
    };
    const auto length = static_cast<size_t>(reply.last - reply.first + 1);
    auto write = [this, reply, faults](size_t offset, size_t size, httplib::DataSink& sink) {
        return Write(reply, faults, offset, size, sink);
    };
    if (length == 0) {
        done(true);
        response.set_content("", "application/octet-stream");
    } else if (faults.omitContentLength) {
        auto sent = std::make_shared<size_t>(0);
        response.set_chunked_content_provider(
            "application/octet-stream",
            [write, sent, length](size_t, httplib::DataSink& sink) {
                if (*sent == length) {
                    sink.done();
                    return true;
                }
                const size_t size = std::min(kServerChunk, length - *sent);
                if (!write(*sent, size, sink)) return false;
                *sent += size;
                return true;
            },
            done);
    } else {
        response.set_content_provider(
            length, "application/octet-stream",
            [write](size_t offset, size_t size, httplib::DataSink& sink) {
                return write(offset, std::min(size, kServerChunk), sink);
            },
            done);
    }
}

bool TestServer::Write(const Reply& reply, const ServerFaults& faults, size_t offset, size_t length,
                       httplib::DataSink& sink) {
    if (reply.ranged && offset == 0 && faults.stall.count() > 0 && !Stall(faults.stall)) {
        return false;
    }
    if (reply.drops && static_cast<int64_t>(offset + length) > faults.dropAfterBytes) {
        const auto keep = static_cast<size_t>(
            std::max<int64_t>(faults.dropAfterBytes - static_cast<int64_t>(offset), 0));
        if (keep > 0) sink.write(body_.data() + reply.first + static_cast<int64_t>(offset), keep);
        return false;
    }
    return sink.write(body_.data() + reply.first + static_cast<int64_t>(offset), length);
}

bool TestServer::Stall(std::chrono::milliseconds pause) {
    std::unique_lock lock(mutex_);
    return !stopping_.wait_for(lock, pause, [this] { return stopped_; });
}

}  // namespace tunelark::test
