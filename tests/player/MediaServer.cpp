#include "MediaServer.h"

#include <QProcess>
#include <chrono>

namespace tunelark::test {

MediaServer::MediaServer() {
    const QString mp3 = folder_.filePath("clip.mp3");
    const QString mp4 = folder_.filePath("clip.mp4");
    const bool made =
        Make({"-f", "lavfi", "-i", "sine=frequency=440:duration=3.9", "-c:a", "libmp3lame", "-b:a",
              "64k", mp3}) &&
        Make({"-f",   "lavfi",   "-i",        "testsrc=size=320x240:rate=25:duration=3.9",
              "-f",   "lavfi",   "-i",        "sine=frequency=660:duration=3.9",
              "-c:v", "libx264", "-preset",   "ultrafast",
              "-g",   "10",      "-pix_fmt",  "yuv420p",
              "-c:a", "aac",     "-shortest", mp4});
    if (!made) return;
    server_.set_mount_point("/media", folder_.path().toStdString());
    port_ = server_.bind_to_any_port("127.0.0.1");
    if (port_ <= 0) {
        problem_ = "cannot listen on loopback";
        return;
    }
    thread_ = std::thread([this] { server_.listen_after_bind(); });
    while (!server_.is_running()) std::this_thread::sleep_for(std::chrono::milliseconds(5));
}

MediaServer::~MediaServer() {
    server_.stop();
    if (thread_.joinable()) thread_.join();
}

bool MediaServer::Make(const QStringList& ffmpegArguments) {
    QProcess ffmpeg;
    ffmpeg.start("ffmpeg", QStringList{"-v", "error", "-y"} + ffmpegArguments);
    if (!ffmpeg.waitForFinished(60000) || ffmpeg.exitCode() != 0) {
        problem_ = "ffmpeg failed: " + ffmpeg.readAllStandardError().toStdString();
        return false;
    }
    return true;
}

std::string MediaServer::Url(const std::string& name) const {
    return "http://127.0.0.1:" + std::to_string(port_) + "/media/" + name;
}

MediaServer& MediaServer::Shared() {
    static MediaServer server;
    return server;
}

}  // namespace tunelark::test
