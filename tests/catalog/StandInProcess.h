#pragma once

#include <sys/types.h>

#include <string>

namespace tunelark::test {

// The real tunelark-standin, started on an ephemeral loopback port with its request log going to
// a file; stopped (SIGTERM, then waited for) when this object goes.
class StandInProcess final {
public:
    StandInProcess(const std::string& binary, const std::string& mediaDir,
                   const std::string& logPath);
    ~StandInProcess();
    StandInProcess(const StandInProcess&) = delete;
    StandInProcess& operator=(const StandInProcess&) = delete;

    // "http://127.0.0.1:PORT", or "" when it did not start.
    [[nodiscard]] const std::string& Base() const { return base_; }
    // Everything logged so far.
    [[nodiscard]] std::string Log() const;

private:
    pid_t pid_ = -1;
    int stdout_ = -1;  // kept open so that a later line cannot break the child's pipe
    std::string base_;
    std::string logPath_;
};

}  // namespace tunelark::test
