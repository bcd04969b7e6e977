#pragma once

#include <stop_token>

namespace tunelark {

// Lets a stop request reach blocking calls deep inside a worker's work without passing the
// token through every signature: while a scope lives, CancelRequested() on its thread answers
// from the scope's token. Scopes nest; the inner one rules until it goes. Other threads, and a
// thread without a scope (the GUI thread), are never cancelled.
class CancelScope final {
public:
    explicit CancelScope(std::stop_token stop);
    ~CancelScope();
    CancelScope(const CancelScope&) = delete;
    CancelScope& operator=(const CancelScope&) = delete;

private:
    std::stop_token previous_;
};

// Whether the calling thread's innermost scope was asked to stop; false without a scope.
[[nodiscard]] bool CancelRequested();

}  // namespace tunelark
