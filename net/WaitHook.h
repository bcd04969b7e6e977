#pragma once

#include <functional>

namespace tunelark {

// Blocking network calls made on the GUI thread call this hook while they wait, so that the
// window keeps handling its events. The application installs it once at start (before any
// worker thread runs) and clears it at exit; the hook itself decides whether the calling thread
// is the one whose events it may pump.
using WaitHook = std::function<void()>;

void SetWaitHook(WaitHook hook);
// Runs the installed hook, if any.
void RunWaitHook();

}  // namespace tunelark
