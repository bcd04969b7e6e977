#include "app/ProcessState.h"

namespace tunelark {

bool ProcessState::Shutdown(std::chrono::milliseconds limit) {
    if (!workers.StopAndJoin(limit)) return false;
    mvPlayer.Close();
    songPlayer.Close();
    return true;
}

}  // namespace tunelark
