#pragma once

#include <chrono>
#include <memory>
#include <string>

namespace tunelark::test {

// A client of an X server that finds top-level windows by name and asks them to close, as a
// window manager would.
class X11Windows final {
public:
    explicit X11Windows(const std::string& displayName);
    ~X11Windows();
    X11Windows(const X11Windows&) = delete;
    X11Windows& operator=(const X11Windows&) = delete;

    [[nodiscard]] bool Connected() const;
    // The first window whose name starts with prefix, waiting up to `limit`; 0 when none.
    [[nodiscard]] unsigned long WaitForWindow(const std::string& prefix,
                                              std::chrono::milliseconds limit);
    // Sends WM_DELETE_WINDOW.
    void AskToClose(unsigned long window);

private:
    struct Connection;
    std::unique_ptr<Connection> connection_;
};

}  // namespace tunelark::test
