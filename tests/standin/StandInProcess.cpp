#include "tests/standin/StandInProcess.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <thread>

extern char** environ;

namespace tunelark::test {
namespace {

constexpr auto kStartLimit = std::chrono::seconds(10);
constexpr auto kStopLimit = std::chrono::seconds(5);
constexpr std::string_view kListening = "listening on ";

// The first line the program writes, or "" when none comes in time.
std::string FirstLine(int fd) {
    std::string line;
    const auto deadline = std::chrono::steady_clock::now() + kStartLimit;
    while (std::chrono::steady_clock::now() < deadline && line.find('\n') == std::string::npos) {
        pollfd entry{fd, POLLIN, 0};
        if (::poll(&entry, 1, 100) <= 0) continue;
        char buffer[256];
        const ssize_t got = ::read(fd, buffer, sizeof(buffer));
        if (got <= 0) break;
        line.append(buffer, static_cast<std::size_t>(got));
    }
    return line.substr(0, line.find('\n'));
}

bool Exited(pid_t child) {
    int status = 0;
    return ::waitpid(child, &status, WNOHANG) == child;
}

}  // namespace

std::string StandInMediaFolder() {
    return TUNELARK_STANDIN_MEDIA;
}

StandInProcess::StandInProcess(std::vector<std::string> arguments) {
    std::vector<std::string> all = {TUNELARK_STANDIN_PATH, "--port", "0", "--media-dir",
                                    StandInMediaFolder()};
    all.insert(all.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (std::string& argument : all) argv.push_back(argument.data());
    argv.push_back(nullptr);
    int pipeEnds[2];
    if (::pipe2(pipeEnds, O_CLOEXEC) != 0) return;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipeEnds[1], STDOUT_FILENO);
    const int spawned = posix_spawn(&child_, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    ::close(pipeEnds[1]);
    if (spawned != 0) child_ = -1;
    const std::string line = child_ > 0 ? FirstLine(pipeEnds[0]) : "";
    ::close(pipeEnds[0]);
    if (line.starts_with(kListening)) base_ = line.substr(kListening.size());
}

StandInProcess::~StandInProcess() {
    if (child_ <= 0) return;
    ::kill(child_, SIGTERM);
    const auto deadline = std::chrono::steady_clock::now() + kStopLimit;
    while (!Exited(child_)) {
        if (std::chrono::steady_clock::now() > deadline) {
            ::kill(child_, SIGKILL);
            ::waitpid(child_, nullptr, 0);
            return;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
}

}  // namespace tunelark::test
