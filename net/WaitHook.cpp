#include "net/WaitHook.h"

#include <mutex>

namespace tunelark {
namespace {

std::mutex& HookMutex() {
    static std::mutex mutex;
    return mutex;
}

WaitHook& Hook() {
    static WaitHook hook;
    return hook;
}

}  // namespace

void SetWaitHook(WaitHook hook) {
    std::lock_guard lock(HookMutex());
    Hook() = std::move(hook);
}

void RunWaitHook() {
    WaitHook hook;
    {
        std::lock_guard lock(HookMutex());
        hook = Hook();
    }
    if (hook) hook();
}

}  // namespace tunelark
