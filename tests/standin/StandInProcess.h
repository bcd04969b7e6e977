#pragma once

#include <sys/types.h>

#include <string>
#include <vector>

namespace tunelark::test {

// The real tunelark-standin program, started on a free loopback port for one test and stopped
// (SIGTERM, then SIGKILL if it lingers) when the object goes.
class StandInProcess final {
public:
    // Extra command-line arguments after "--port 0 --media-dir DIR".
    explicit StandInProcess(std::vector<std::string> arguments = {});
    ~StandInProcess();
    StandInProcess(const StandInProcess&) = delete;
    StandInProcess& operator=(const StandInProcess&) = delete;

    // "http://127.0.0.1:PORT", or "" when the program did not start.
    [[nodiscard]] const std::string& Base() const { return base_; }

private:
    pid_t child_ = -1;
    std::string base_;
};

// Where the tests' stand-ins keep their generated media (kept between runs).
[[nodiscard]] std::string StandInMediaFolder();

}  // namespace tunelark::test
