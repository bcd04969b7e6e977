#include "standin/StandInServer.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <utility>
#include <vector>

namespace tunelark::standin {
namespace {

constexpr std::size_t kThreads = 32;

bool IsHostHeader(std::string_view host) {
    return !host.empty() && host.size() <= 255 && std::all_of(host.begin(), host.end(), [](char c) {
        return std::isalnum(static_cast<unsigned char>(c)) || c == '.' || c == '-' || c == ':' ||
               c == '[' || c == ']';
    });
}

void LogRequest(const httplib::Request& request, const httplib::Response& response) {
    std::string line = request.method + " " + request.target + " " + request.version + " -> " +
                       std::to_string(response.status) + "\n";
    for (const auto& [name, value] : request.headers) {
        // The server adds the connection's ends as headers of its own.
        if (name.starts_with("REMOTE_") || name.starts_with("LOCAL_")) continue;
        line += "    " + name + ": " + value + "\n";
    }
    std::fputs(line.c_str(), stderr);
}

// The stand-in answers only what it is asked: no compression, since its clients store bodies
// as they come; and ranges are served by the media replies themselves.
httplib::Server::HandlerResponse PrepareRequest(const httplib::Request& request,
                                                httplib::Response&) {
    // The request object is the server's own, non-const one; its handlers just see it as const.
    auto& own = const_cast<httplib::Request&>(request);
    own.headers.erase("Accept-Encoding");
    own.ranges.clear();
    return httplib::Server::HandlerResponse::Unhandled;
}

}  // namespace

StandInServer::Parameters StandInServer::ParametersOf(const httplib::Request& request) {
    return {request.params.begin(), request.params.end()};
}

StandInServer::StandInServer(StandInOptions options)
    : options_(std::move(options)),
      media_(options_.mediaFolder.empty() ? DefaultMediaFolder() : options_.mediaFolder),
      updateVersion_(options_.updateVersion) {
    // The server takes ownership of the queue it is handed.
    server_.new_task_queue = [] { return new httplib::ThreadPool(kThreads); };
    server_.set_pre_routing_handler(PrepareRequest);
    if (options_.log) server_.set_logger(LogRequest);
    AddServiceRoutes();
    AddPageRoutes();
    AddMediaRoutes();
    AddControlRoutes();
}

StandInServer::~StandInServer() {
    Stop();
}

std::optional<int> StandInServer::Bind() {
    const std::string host = options_.host == "localhost" ? "127.0.0.1" : options_.host;
    if (host != "127.0.0.1" && host != "::1") return std::nullopt;
    if (options_.port == 0) {
        port_ = server_.bind_to_any_port(host);
        if (port_ <= 0) return std::nullopt;
    } else if (server_.bind_to_port(host, options_.port)) {
        port_ = options_.port;
    } else {
        return std::nullopt;
    }
    return port_;
}

bool StandInServer::Run() {
    return server_.listen_after_bind();
}

void StandInServer::Stop() {
    stop_.Stop();
    server_.stop();
}

void StandInServer::Get(const std::string& pattern, Handler handler, bool media) {
    server_.Get(pattern, [this, handler = std::move(handler), media](
                             const httplib::Request& request, httplib::Response& response) {
        FaultSwitches faults = ParseFaultSwitches(ParametersOf(request));
        if (media) faults = faults.Over(MediaFaults());
        if (!AnsweredBySwitches(request, response, faults)) handler(request, response, faults);
    });
}

bool StandInServer::AnsweredBySwitches(const httplib::Request& request, httplib::Response& response,
                                       const FaultSwitches& faults) {
    if (faults.stallMs && !stop_.SleepFor(std::chrono::milliseconds(*faults.stallMs))) {
        response.status = 503;
        return true;
    }
    for (const std::string& cookie : faults.cookies) response.set_header("Set-Cookie", cookie);
    if (faults.redirects && *faults.redirects != 0) {
        response.set_redirect(WithOneRedirectLess(request.target), 302);
        response.set_content("redirected\n", "text/plain");
        return true;
    }
    if (faults.status) {
        response.status = *faults.status;
        response.set_content("stand-in: status " + std::to_string(*faults.status) + "\n",
                             "text/plain");
        return true;
    }
    return false;
}

std::string StandInServer::Base(const httplib::Request& request) const {
    const std::string host = request.get_header_value("Host");
    if (IsHostHeader(host)) return "http://" + host;
    const std::string name = options_.host == "::1" ? "[::1]" : "127.0.0.1";
    return "http://" + name + ":" + std::to_string(port_);
}

FaultSwitches StandInServer::MediaFaults() const {
    std::lock_guard lock(settingsMutex_);
    return mediaFaults_;
}

std::string StandInServer::UpdateVersion() const {
    std::lock_guard lock(settingsMutex_);
    return updateVersion_;
}

}  // namespace tunelark::standin
