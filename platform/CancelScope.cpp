#include "platform/CancelScope.h"

#include <utility>

namespace tunelark {
namespace {

// A default token has no stop state, so a thread without a scope is never cancelled.
thread_local std::stop_token current;

}  // namespace

CancelScope::CancelScope(std::stop_token stop)
    : previous_(std::exchange(current, std::move(stop))) {}

CancelScope::~CancelScope() {
    current = std::move(previous_);
}

bool CancelRequested() {
    return current.stop_requested();
}

}  // namespace tunelark
