// tunelark-standin: the outside services that Tunelark talks to, served on loopback.
#include <pthread.h>
#include <signal.h>

#include <charconv>
#include <cstdio>
#include <cstring>
#include <optional>
#include <string_view>
#include <thread>

#include "standin/StandInServer.h"

namespace {

using tunelark::standin::StandInOptions;
using tunelark::standin::StandInServer;

constexpr const char* kUsage =
    "usage: tunelark-standin [--port N] [--host 127.0.0.1|::1|localhost] [--media-dir DIR]\n"
    "                        [--update-version V] [--log] [--prepare-media]\n"
    "  --port N            port to listen on (default 18480; 0 picks a free one)\n"
    "  --media-dir DIR     where generated media are kept (default ~/.cache/tunelark-standin)\n"
    "  --update-version V  the version the update document names (default 1.0.0)\n"
    "  --log               print each request line and its headers to stderr\n"
    "  --prepare-media     make every media file with ffmpeg, then exit\n";

struct CommandLine {
    StandInOptions options;
    bool prepareMedia = false;
};

std::optional<int> Port(std::string_view text) {
    int port = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), port);
    if (error != std::errc() || end != text.data() + text.size() || port < 0 || port > 65535) {
        return std::nullopt;
    }
    return port;
}

std::optional<CommandLine> Parse(int argc, char** argv) {
    CommandLine line;
    for (int i = 1; i < argc; ++i) {
        const std::string_view argument = argv[i];
        const bool hasValue = i + 1 < argc;
        if (argument == "--log") {
            line.options.log = true;
        } else if (argument == "--prepare-media") {
            line.prepareMedia = true;
        } else if (argument == "--port" && hasValue) {
            const auto port = Port(argv[++i]);
            if (!port) return std::nullopt;
            line.options.port = *port;
        } else if (argument == "--host" && hasValue) {
            line.options.host = argv[++i];
        } else if (argument == "--media-dir" && hasValue) {
            line.options.mediaFolder = argv[++i];
        } else if (argument == "--update-version" && hasValue) {
            line.options.updateVersion = argv[++i];
        } else {
            return std::nullopt;
        }
    }
    return line;
}

// Stops the server on SIGINT, SIGTERM or SIGHUP; the signals are blocked in every thread and
// taken here, so nothing runs in a signal handler.
sigset_t StopSignals() {
    sigset_t signals;
    sigemptyset(&signals);
    for (int signal : {SIGINT, SIGTERM, SIGHUP}) sigaddset(&signals, signal);
    return signals;
}

int Serve(StandInServer& server, const std::string& host, int port) {
    const std::string shown = host == "::1" ? "[::1]" : "127.0.0.1";
    std::printf("listening on http://%s:%d\n", shown.c_str(), port);
    std::fflush(stdout);
    const sigset_t signals = StopSignals();
    std::thread stopper([&server, signals] {
        int signal = 0;
        sigwait(&signals, &signal);
        server.Stop();
    });
    const bool served = server.Run();
    server.Stop();
    pthread_kill(stopper.native_handle(), SIGTERM);  // wakes the stopper if no signal came
    stopper.join();
    return served ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
    const auto line = Parse(argc, argv);
    if (!line) {
        std::fputs(kUsage, stderr);
        return 2;
    }
    const sigset_t signals = StopSignals();
    pthread_sigmask(SIG_BLOCK, &signals, nullptr);
    signal(SIGPIPE, SIG_IGN);  // a client or reader that goes away is not our end
    StandInServer server(line->options);
    if (line->prepareMedia) {
        const bool made = server.Media().PrepareAll();
        std::printf("media in %s\n", server.Media().Folder().c_str());
        return made ? 0 : 1;
    }
    const auto port = server.Bind();
    if (!port) {
        std::fprintf(stderr, "tunelark-standin: cannot listen on %s port %d (loopback only)\n",
                     line->options.host.c_str(), line->options.port);
        return 1;
    }
    return Serve(server, line->options.host == "localhost" ? "127.0.0.1" : line->options.host,
                 *port);
}
