#include "CliProcess.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <thread>

namespace tunelark::test {
namespace {

constexpr auto kRunLimit = std::chrono::seconds(60);

std::string ReadAll(int fd) {
    std::string text;
    char buffer[4096];
    ssize_t got = 0;
    while ((got = ::read(fd, buffer, sizeof(buffer))) > 0) {
        text.append(buffer, static_cast<size_t>(got));
    }
    return text;
}

// In the child: only async-signal-safe calls until exec.
[[noreturn]] void BecomeCli(std::vector<char*>& argv, const CliLimits& limits, int errorFd) {
    ::dup2(errorFd, STDERR_FILENO);
    const int null = ::open("/dev/null", O_WRONLY);
    if (null >= 0) ::dup2(null, STDOUT_FILENO);
    if (limits.fileSizeLimit) {
        ::signal(SIGXFSZ, SIG_IGN);  // an ignored signal stays ignored across exec
        const rlimit limit{static_cast<rlim_t>(*limits.fileSizeLimit),
                           static_cast<rlim_t>(*limits.fileSizeLimit)};
        if (::setrlimit(RLIMIT_FSIZE, &limit) != 0) ::_exit(126);
    }
    if (limits.user && (::setgid(*limits.user) != 0 || ::setuid(*limits.user) != 0)) ::_exit(126);
    ::execv(argv[0], argv.data());
    ::_exit(127);
}

}  // namespace

CliResult RunCli(const std::vector<std::string>& arguments, CliLimits limits) {
    std::vector<std::string> all = {TUNELARK_CLI_PATH};
    all.insert(all.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (std::string& argument : all) argv.push_back(argument.data());
    argv.push_back(nullptr);

    // stderr goes to an unlinked file, so a child of another user can still write it.
    char name[] = "/tmp/tunelark-cli-errXXXXXX";
    const int errorFd = ::mkstemp(name);
    if (errorFd < 0) return {};
    ::unlink(name);
    CliResult result;
    const pid_t child = ::fork();
    if (child == 0) BecomeCli(argv, limits, errorFd);
    if (child > 0) {
        int status = 0;
        const auto deadline = std::chrono::steady_clock::now() + kRunLimit;
        while (::waitpid(child, &status, WNOHANG) == 0) {
            if (std::chrono::steady_clock::now() > deadline) {
                ::kill(child, SIGKILL);
                ::waitpid(child, &status, 0);
                break;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    ::lseek(errorFd, 0, SEEK_SET);
    result.messages = ReadAll(errorFd);
    ::close(errorFd);
    return result;
}

}  // namespace tunelark::test
