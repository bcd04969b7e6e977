#pragma once

namespace tunelark {

// The program: the application object, the process-wide state, the window and its message
// loop, then the orderly clean-up. Returns the exit status.
[[nodiscard]] int RunApplication(int argc, char** argv);

}  // namespace tunelark
