#pragma once

#include <httplib.h>

#include <QTemporaryDir>
#include <string>
#include <thread>

namespace tunelark::test {

// Real media for the player: a 3.9-second MP3 (a tone) and a 3.9-second 320x240 MP4 (a test
// picture with a tone), made with ffmpeg into a temporary folder and served from loopback.
// Any other path answers 404.
class MediaServer final {
public:
    MediaServer();
    ~MediaServer();
    MediaServer(const MediaServer&) = delete;
    MediaServer& operator=(const MediaServer&) = delete;

    // False when ffmpeg could not make the media; the reason is in Problem().
    [[nodiscard]] bool Ready() const { return problem_.empty(); }
    [[nodiscard]] const std::string& Problem() const { return problem_; }
    [[nodiscard]] std::string Url(const std::string& name) const;

    // One server for the whole test binary (the media take a second to make).
    static MediaServer& Shared();

private:
    bool Make(const QStringList& ffmpegArguments);

    QTemporaryDir folder_;
    std::string problem_;
    httplib::Server server_;
    int port_ = 0;
    std::thread thread_;
};

}  // namespace tunelark::test
