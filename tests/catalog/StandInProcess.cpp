#include "StandInProcess.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <sstream>

namespace tunelark::test {
namespace {

constexpr const char* kListening = "listening on ";

// The first line the child writes to the pipe, read byte by byte (it stays open afterwards).
std::string FirstLine(int fd) {
    std::string line;
    char c = 0;
    while (line.size() < 200 && read(fd, &c, 1) == 1 && c != '\n') line += c;
    return line;
}

}  // namespace

StandInProcess::StandInProcess(const std::string& binary, const std::string& mediaDir,
                               const std::string& logPath)
    : logPath_(logPath) {
    int out[2];
    if (pipe(out) != 0) return;
    pid_ = fork();
    if (pid_ == 0) {
        dup2(out[1], STDOUT_FILENO);
        const int log = open(logPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        if (log >= 0) dup2(log, STDERR_FILENO);
        close(out[0]);
        close(out[1]);
        execl(binary.c_str(), binary.c_str(), "--port", "0", "--log", "--media-dir",
              mediaDir.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    close(out[1]);
    stdout_ = out[0];
    const std::string line = pid_ > 0 ? FirstLine(stdout_) : "";
    if (line.starts_with(kListening)) base_ = line.substr(std::string(kListening).size());
}

StandInProcess::~StandInProcess() {
    if (pid_ > 0) {
        kill(pid_, SIGTERM);
        int status = 0;
        waitpid(pid_, &status, 0);
    }
    if (stdout_ >= 0) close(stdout_);
}

std::string StandInProcess::Log() const {
    std::ifstream file(logPath_, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

}  // namespace tunelark::test
