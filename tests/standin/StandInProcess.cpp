#include "tests/standin/StandInProcess.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <fstream>
#include <sstream>
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

std::vector<std::string> CommandLine(const std::vector<std::string>& arguments, bool logged) {
    std::vector<std::string> all = {TUNELARK_STANDIN_PATH, "--port", "0", "--media-dir",
                                    StandInMediaFolder()};
    if (logged) all.emplace_back("--log");
    all.insert(all.end(), arguments.begin(), arguments.end());
    return all;
}

}  // namespace

std::string StandInMediaFolder() {
    return TUNELARK_STANDIN_MEDIA;
}

StandInProcess::StandInProcess(std::vector<std::string> arguments, std::string logPath)
    : logPath_(std::move(logPath)) {
    std::vector<std::string> all = CommandLine(arguments, !logPath_.empty());
    std::vector<char*> argv;
    for (std::string& argument : all) argv.push_back(argument.data());
    argv.push_back(nullptr);
    int pipeEnds[2];
    if (::pipe2(pipeEnds, O_CLOEXEC) != 0) return;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipeEnds[1], STDOUT_FILENO);
    if (!logPath_.empty()) {
        posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, logPath_.c_str(),
                                         O_WRONLY | O_CREAT | O_TRUNC, 0644);
    }
    const int spawned = posix_spawn(&child_, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    ::close(pipeEnds[1]);
    stdout_ = pipeEnds[0];
    if (spawned != 0) child_ = -1;
    const std::string line = child_ > 0 ? FirstLine(stdout_) : "";
    if (line.starts_with(kListening)) base_ = line.substr(kListening.size());
}

StandInProcess::~StandInProcess() {
    Stop();
    if (stdout_ >= 0) ::close(stdout_);
}

void StandInProcess::Stop() {
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

std::string StandInProcess::Log() const {
    if (logPath_.empty()) return "";
    std::ifstream file(logPath_, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

}  // namespace tunelark::test
