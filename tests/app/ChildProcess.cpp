#include "tests/app/ChildProcess.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <thread>

extern char** environ;

namespace tunelark::test {
namespace {

std::vector<std::string> Environment(const std::map<std::string, std::string>& overrides) {
    std::map<std::string, std::string> merged;
    for (char** entry = environ; *entry; ++entry) {
        const std::string item = *entry;
        const size_t equals = item.find('=');
        if (equals != std::string::npos) merged[item.substr(0, equals)] = item.substr(equals + 1);
    }
    for (const auto& [name, value] : overrides) merged[name] = value;
    std::vector<std::string> items;
    for (const auto& [name, value] : merged) items.push_back(name + "=" + value);
    return items;
}

std::vector<char*> Pointers(std::vector<std::string>& texts) {
    std::vector<char*> pointers;
    for (std::string& text : texts) pointers.push_back(text.data());
    pointers.push_back(nullptr);
    return pointers;
}

}  // namespace

ChildProcess::ChildProcess(const std::vector<std::string>& arguments,
                           const std::map<std::string, std::string>& environment) {
    int pipeEnds[2];
    if (pipe2(pipeEnds, O_CLOEXEC) != 0) return;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipeEnds[1], STDOUT_FILENO);
    std::vector<std::string> argumentTexts = arguments;
    std::vector<std::string> environmentTexts = Environment(environment);
    const std::vector<char*> argv = Pointers(argumentTexts);
    const std::vector<char*> envp = Pointers(environmentTexts);
    pid_t pid = -1;
    if (posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), envp.data()) == 0) pid_ = pid;
    posix_spawn_file_actions_destroy(&actions);
    close(pipeEnds[1]);
    output_ = pipeEnds[0];
}

ChildProcess::~ChildProcess() {
    if (pid_ > 0) {
        kill(pid_, SIGKILL);
        waitpid(pid_, nullptr, 0);
    }
    if (output_ >= 0) close(output_);
}

std::optional<std::string> ChildProcess::ReadLine(std::chrono::milliseconds limit) {
    const auto deadline = std::chrono::steady_clock::now() + limit;
    while (true) {
        if (const size_t end = pending_.find('\n'); end != std::string::npos) {
            std::string line = pending_.substr(0, end);
            pending_.erase(0, end + 1);
            return line;
        }
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0 || output_ < 0) return std::nullopt;
        pollfd poller{output_, POLLIN, 0};
        if (poll(&poller, 1, static_cast<int>(left.count())) <= 0) return std::nullopt;
        char buffer[512];
        const ssize_t got = read(output_, buffer, sizeof buffer);
        if (got <= 0) return std::nullopt;
        pending_.append(buffer, static_cast<size_t>(got));
    }
}

std::optional<int> ChildProcess::Wait(std::chrono::milliseconds limit) {
    const auto deadline = std::chrono::steady_clock::now() + limit;
    while (pid_ > 0) {
        int status = 0;
        if (waitpid(pid_, &status, WNOHANG) == pid_) {
            pid_ = -1;
            return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        }
        if (std::chrono::steady_clock::now() >= deadline) return std::nullopt;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return std::nullopt;
}

}  // namespace tunelark::test
