#include "app/ProcessState.h"

namespace tunelark {

bool ProcessState::Shutdown(std::chrono::milliseconds limit) {
    // A song download's worker may be inside Start: stop what runs, then what may still start.
    downloader.StopAll();
    if (!workers.StopAndJoin(limit)) return false;
    downloader.StopAll();
    mvPlayer.Close();
    songPlayer.Close();
    return true;
}

}  // namespace tunelark
