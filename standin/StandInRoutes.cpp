#include <algorithm>
#include <functional>
#include <string_view>

#include "standin/Catalogue.h"
#include "standin/MediaResponder.h"
#include "standin/ServiceReplies.h"
#include "standin/SitePages.h"
#include "standin/StandInServer.h"
#include "standin/TextEscapes.h"

// The routes of the stand-in: what each service answers.
namespace tunelark::standin {
namespace {

constexpr std::size_t kDefaultMusicRows = 10;
constexpr const char* kScriptType = "application/javascript; charset=utf-8";

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

}  // namespace

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

}  // namespace tunelark::standin
