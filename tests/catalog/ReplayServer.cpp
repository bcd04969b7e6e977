#include "ReplayServer.h"

#include <chrono>

namespace tunelark::test {

ReplayServer::ReplayServer() {
    server_.Get(".*", [this](const httplib::Request& request, httplib::Response& response) {
        Answer(request, response);
    });
    port_ = server_.bind_to_any_port("127.0.0.1");
    thread_ = std::thread([this] { server_.listen_after_bind(); });
    while (!server_.is_running()) std::this_thread::sleep_for(std::chrono::milliseconds(1));
}

ReplayServer::~ReplayServer() {
    Release();
    server_.stop();
    thread_.join();
}

void ReplayServer::Reply(const std::string& path, std::string body, bool held,
                         std::string contentType) {
    std::lock_guard lock(mutex_);
    replies_[path] = Canned{std::move(body), held, std::move(contentType)};
}

void ReplayServer::Release() {
    std::lock_guard lock(mutex_);
    released_ = true;
    changed_.notify_all();
}

std::string ReplayServer::Base() const {
    return "http://127.0.0.1:" + std::to_string(port_);
}

std::vector<SeenRequest> ReplayServer::Requests() const {
    std::lock_guard lock(mutex_);
    return seen_;
}

std::vector<SeenRequest> ReplayServer::RequestsTo(const std::string& path) const {
    std::vector<SeenRequest> matching;
    for (SeenRequest& request : Requests()) {
        if (request.target.substr(0, request.target.find('?')) == path) {
            matching.push_back(std::move(request));
        }
    }
    return matching;
}

bool ReplayServer::WaitForRequests(size_t count) const {
    std::unique_lock lock(mutex_);
    return changed_.wait_for(lock, std::chrono::seconds(10), [&] { return seen_.size() >= count; });
}

void ReplayServer::Answer(const httplib::Request& request, httplib::Response& response) {
    std::unique_lock lock(mutex_);
    seen_.push_back({request.target, request.headers});
    changed_.notify_all();
    const auto found = replies_.find(request.path);
    if (found == replies_.end()) {
        response.status = 404;
        return;
    }
    const Canned canned = found->second;
    if (canned.held) {
        changed_.wait_for(lock, std::chrono::seconds(10), [this] { return released_; });
    }
    response.set_content(canned.body, canned.contentType);
}

}  // namespace tunelark::test
