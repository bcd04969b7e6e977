#pragma once

#include <sys/types.h>

#include <string>
#include <vector>

namespace tunelark::test {

// The real tunelark-standin program, started on a free loopback port for one test (or one test
// binary) and stopped (SIGTERM, then SIGKILL if it lingers) when the object goes.
class StandInProcess final {
public:
    // `arguments` come after "--port 0 --media-dir DIR". With a `logPath`, the program logs
    // every request ("--log") into that file instead of the test's own error output.
    explicit StandInProcess(std::vector<std::string> arguments = {}, std::string logPath = {});
    ~StandInProcess();
    StandInProcess(const StandInProcess&) = delete;
    StandInProcess& operator=(const StandInProcess&) = delete;

    // "http://127.0.0.1:PORT", or "" when the program did not start.
    [[nodiscard]] const std::string& Base() const { return base_; }
    // Everything logged so far; "" without a log file.
    [[nodiscard]] std::string Log() const;

private:
    void Stop();

    pid_t child_ = -1;
    int stdout_ = -1;  // kept open, so that a later line cannot break the program's pipe
    std::string base_;
    std::string logPath_;
};

// Where the tests' stand-ins keep their generated media (kept between runs).
[[nodiscard]] std::string StandInMediaFolder();

}  // namespace tunelark::test
