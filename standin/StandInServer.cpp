#include "standin/StandInServer.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <utility>
#include <vector>

#include "standin/Catalogue.h"
#include "standin/MediaResponder.h"
#include "standin/ServiceReplies.h"
#include "standin/SitePages.h"
#include "standin/TextEscapes.h"

namespace tunelark::standin {
namespace {

constexpr std::size_t kThreads = 32;
constexpr std::size_t kDefaultMusicRows = 10;
constexpr const char* kScriptType = "application/javascript; charset=utf-8";

std::vector<std::pair<std::string, std::string>> ParametersOf(const httplib::Request& request) {
    return {request.params.begin(), request.params.end()};
}

bool IsHostHeader(std::string_view host) {
    return !host.empty() && host.size() <= 255 && std::all_of(host.begin(), host.end(), [](char c) {
        return std::isalnum(static_cast<unsigned char>(c)) || c == '.' || c == '-' || c == ':' ||
               c == '[' || c == ']';
    });
}

std::size_t RowCount(const httplib::Request& request) {
    const std::string rows = request.get_param_value("rn");
    if (rows.empty() || rows.size() > 3 ||
        !std::all_of(rows.begin(), rows.end(), [](char c) { return c >= '0' && c <= '9'; })) {
        return kDefaultMusicRows;
    }
    return static_cast<std::size_t>(std::stoi(rows));
}

// A page in the charset a switch asks for (declared in the page), UTF-8 otherwise. A charset
// the encoder does not know is declared all the same over UTF-8 bytes.
void SendPage(httplib::Response& response, const FaultSwitches& faults,
              const std::function<std::string(std::string_view charset)>& page) {
    const std::string charset = faults.charset.value_or("utf-8");
    const std::string utf8 = page(charset);
    response.set_content(EncodePage(utf8, charset).value_or(utf8), "text/html; charset=" + charset);
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

void StandInServer::AddServiceRoutes() {
    Get("/probe", [](const auto&, auto& response, const auto&) {
        response.set_content("ok\n", "text/plain");
    });
    Get(R"(/r\.s)", [](const auto& request, auto& response, const auto&) {
        const auto songs = FindSongs(request.get_param_value("all"), RowCount(request));
        const std::string callback =
            CallbackName(request.get_param_value("callback"), "searchMusicResult");
        response.set_content(MusicSearchReply(songs, callback), kScriptType);
    });
    Get("/so", [](const auto& request, auto& response, const auto& faults) {
        const std::string keyword = request.get_param_value("q");
        const auto mvs = FindMvs(keyword);
        SendPage(response, faults,
                 [&](std::string_view charset) { return MvSearchPage(keyword, mvs, charset); });
    });
    Get(R"(/tool/song/ajax/api\.php)", [this](const auto& request, auto& response, const auto&) {
        const Song* song = SongById(request.get_param_value("kwId"));
        const std::string callback = CallbackName(request.get_param_value("callback"), "callback");
        response.set_content(SongAddressReply(song, Base(request), callback), kScriptType);
    });
    Get(R"(/tool/jiexi/ajax/ajax\.php)", [this](const auto& request, auto& response, const auto&) {
        const Mv* mv = MvById(request.get_param_value("videoId"));
        const std::string callback = CallbackName(request.get_param_value("callback"), "callback");
        response.set_content(MvAddressReply(mv, Base(request), callback), kScriptType);
    });
    Get(R"(/software/music/music\.php)", [this](const auto& request, auto& response, const auto&) {
        const std::string version =
            request.has_param("version") ? request.get_param_value("version") : UpdateVersion();
        response.set_content(
            UpdateDocument(version, Base(request) + "/software/music/download.html"),
            "text/html; charset=gbk");
    });
}

void StandInServer::AddPageRoutes() {
    Get("/tool/song/", [](const auto& request, auto& response, const auto& faults) {
        const Song* song = SongById(request.get_param_value("kwid"));
        SendPage(response, faults,
                 [&](std::string_view charset) { return SongPage(song, charset); });
    });
    for (const char* path : {"/mv/", "/tool/jiexi/"}) {
        Get(path, [](const auto& request, auto& response, const auto& faults) {
            const Mv* mv = MvById(request.get_param_value("id"));
            SendPage(response, faults,
                     [&](std::string_view charset) { return MvPage(mv, charset); });
        });
    }
    Get(R"(/software/music/download\.html)", [](const auto&, auto& response, const auto& faults) {
        SendPage(response, faults, [](std::string_view charset) {
            return "<!DOCTYPE html>\r\n<html><head><meta charset=\"" + std::string(charset) +
                   "\"><title>Tunelark</title></head><body><p>Tunelark " + kCurrentVersion +
                   "</p></body></html>\r\n";
        });
    });
}

void StandInServer::AddMediaRoutes() {
    Get(R"(/media/song/(\d+)\.mp3)",
        [this](const auto& request, auto& response, const auto& faults) {
            const Song* song = SongById(request.matches[1].str());
            ServeFile(request, response, song ? media_.SongFile(*song) : std::nullopt, "audio/mpeg",
                      faults);
        },
        true);
    Get(R"(/media/mv/(\d+)/(432p|540p|720p|1080p)\.mp4)",
        [this](const auto& request, auto& response, const auto& faults) {
            const Mv* mv = MvById(request.matches[1].str());
            const std::string quality = request.matches[2].str();
            const bool has = mv && std::find(mv->qualities.begin(), mv->qualities.end(), quality) !=
                                       mv->qualities.end();
            ServeFile(request, response, has ? media_.MvFile(*mv, quality) : std::nullopt,
                      "video/mp4", faults);
        },
        true);
}

void StandInServer::ServeFile(const httplib::Request& request, httplib::Response& response,
                              const std::optional<std::filesystem::path>& file,
                              const std::string& type, const FaultSwitches& faults) {
    if (!file) {
        response.status = 404;
        response.set_content("stand-in: no such media\n", "text/plain");
        return;
    }
    ServeMedia(request, response, {*file, type, request.path}, faults, stop_);
}

void StandInServer::AddControlRoutes() {
    server_.Get("/control/media-faults", [this](const auto& request, auto& response) {
        std::lock_guard lock(settingsMutex_);
        mediaFaults_ = ParseFaultSwitches(ParametersOf(request));
        response.set_content("ok\n", "text/plain");
    });
    server_.Get("/control/update-version", [this](const auto& request, auto& response) {
        std::lock_guard lock(settingsMutex_);
        updateVersion_ = request.get_param_value("value");
        response.set_content("ok\n", "text/plain");
    });
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
