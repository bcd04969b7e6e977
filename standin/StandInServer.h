#pragma once

#include <httplib.h>

#include <filesystem>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "standin/FaultSwitches.h"
#include "standin/MediaLibrary.h"
#include "standin/StopSignal.h"

namespace tunelark::standin {

inline constexpr int kDefaultPort = 18480;
inline constexpr const char* kCurrentVersion = "1.0.0";

struct StandInOptions {
    std::string host = "127.0.0.1";  // loopback only
    int port = kDefaultPort;         // 0: any free port
    std::filesystem::path mediaFolder;
    bool log = false;  // each request line and its headers to stderr
    std::string updateVersion = kCurrentVersion;
};

// The outside services on one loopback HTTP server:
//   /probe                                 the connectivity check's page
//   /r.s?all=KEYWORD&…&callback=NAME       music search (script reply)
//   /so?q=KEYWORD&nsid=3                   MV search page
//   /tool/song/ajax/api.php?callback=…&kwId=ID&_=…       song address service
//   /tool/jiexi/ajax/ajax.php?callback=…&videoId=ID&_=…  MV address service
//   /tool/song/?kwid=ID, /mv/?id=ID, /tool/jiexi/?id=ID   the pages the links name
//   /software/music/music.php              the update document (GBK; ?version=V overrides)
//   /software/music/download.html          where the update document points
//   /media/song/ID.mp3, /media/mv/ID/QUALITY.mp4         the media
//   /control/media-faults?SWITCHES         fault switches for every media reply (none: clear)
//   /control/update-version?value=V        the version the update document names
// Every request also takes the fault switches of FaultSwitches.h as query parameters.
class StandInServer final {
public:
    explicit StandInServer(StandInOptions options);
    ~StandInServer();
    StandInServer(const StandInServer&) = delete;
    StandInServer& operator=(const StandInServer&) = delete;

    // Binds the listening socket; the port, or nullopt.
    [[nodiscard]] std::optional<int> Bind();
    // Serves until Stop; false when it could not.
    bool Run();
    void Stop();

    [[nodiscard]] MediaLibrary& Media() { return media_; }

private:
    using Parameters = std::vector<std::pair<std::string, std::string>>;
    using Handler =
        std::function<void(const httplib::Request&, httplib::Response&, const FaultSwitches&)>;

    [[nodiscard]] static Parameters ParametersOf(const httplib::Request& request);
    void AddServiceRoutes();
    void AddPageRoutes();
    void AddMediaRoutes();
    void AddControlRoutes();
    void Get(const std::string& pattern, Handler handler, bool media = false);
    [[nodiscard]] bool AnsweredBySwitches(const httplib::Request& request,
                                          httplib::Response& response, const FaultSwitches& faults);
    void ServeFile(const httplib::Request& request, httplib::Response& response,
                   const std::optional<std::filesystem::path>& file, const std::string& type,
                   const FaultSwitches& faults);
    [[nodiscard]] std::string Base(const httplib::Request& request) const;
    [[nodiscard]] FaultSwitches MediaFaults() const;
    [[nodiscard]] std::string UpdateVersion() const;

    StandInOptions options_;
    int port_ = 0;
    httplib::Server server_;
    MediaLibrary media_;
    StopSignal stop_;
    mutable std::mutex settingsMutex_;
    FaultSwitches mediaFaults_;
    std::string updateVersion_;
};

}  // namespace tunelark::standin
