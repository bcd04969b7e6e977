#pragma once

#include <chrono>

#include "app/MainPage.h"
#include "app/SkinEngine.h"
#include "platform/RowStore.h"
#include "platform/WorkerThreads.h"
#include "player/PlayerControl.h"

namespace tunelark {

// What every command shares for the whole run, made before the window in this order and
// released by Shutdown once the window has closed. The downloader belongs to the catalogue's
// command set (catalog/CatalogCommandSet.h), made with the window.
class ProcessState final {
public:
    ProcessState() = default;
    ProcessState(const ProcessState&) = delete;
    ProcessState& operator=(const ProcessState&) = delete;

    // "超级列表框1" and "超级列表框2": the window shows them, workers and downloads write them.
    RowStore results{kSongRowColumns};
    RowStore qualities{kMvQualityRowColumns};
    // Hosted in "分组框7" and "分组框3" when the window has been created.
    PlayerControl mvPlayer;
    PlayerControl songPlayer;
    SkinEngine skin;
    // Searches, song downloads and the update check.
    WorkerThreads workers;

    // Stops the workers and waits up to `limit` for them; only then does it close the players
    // (before their host windows go with the window). False when some worker did not end in
    // time: the caller must then end the process without releasing anything. The catalogue,
    // whose downloader's jobs write into the lists, goes after this and before the lists.
    [[nodiscard]] bool Shutdown(std::chrono::milliseconds limit);
};

}  // namespace tunelark
