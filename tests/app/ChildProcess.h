#pragma once

#include <chrono>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace tunelark::test {

// A program started for a test, its output on a pipe; killed and reaped if still running when
// it goes.
class ChildProcess final {
public:
    ChildProcess(const std::vector<std::string>& arguments,
                 const std::map<std::string, std::string>& environment);
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    [[nodiscard]] bool Started() const { return pid_ > 0; }
    // The next line of its standard output, or nothing once `limit` has passed.
    [[nodiscard]] std::optional<std::string> ReadLine(std::chrono::milliseconds limit);
    // Its exit status once it has ended within `limit`; -1 for a signal, nothing when running.
    [[nodiscard]] std::optional<int> Wait(std::chrono::milliseconds limit);

private:
    int pid_ = -1;
    int output_ = -1;
    std::string pending_;
};

}  // namespace tunelark::test
