#include "app/Application.h"

#include <QApplication>
#include <QThread>
#include <clocale>
#include <cstdio>
#include <cstdlib>

#include "app/ProcessState.h"
#include "app/QtUi.h"
#include "app/Startup.h"
#include "app/WindowCommands.h"
#include "app/WindowFont.h"
#include "app/WindowServices.h"
#include "catalog/CatalogCommandSet.h"
#include "net/WaitHook.h"
#include "platform/ServiceConfig.h"

namespace tunelark {
namespace {

constexpr std::chrono::seconds kProbeTimeout{5};
// How long the exit waits for worker threads before it gives up on them.
constexpr std::chrono::seconds kWorkerGrace{3};

constexpr int kEndedEarly = 1;

// The catalogue behind the window's commands: it writes the state's lists, runs its threads
// through state.workers, plays and copies through the window's services, and owns the
// downloader. It goes before the lists and the window, after the workers have ended.
std::unique_ptr<CatalogCommands> MakeCatalog(ProcessState& state, CatalogWindow& window) {
    return std::make_unique<CatalogCommandSet>(state.results, state.qualities, window,
                                               state.workers);
}

int RunWindow(QApplication& application) {
    ProcessState state;
    QtUi ui;
    MainWindow window(state.results, state.qualities);
    WindowServices services(window, state, ui);
    const std::unique_ptr<CatalogCommands> catalog = MakeCatalog(state, services);
    WindowCommands commands(window, ui, *catalog);
    const std::string updateAddress = UpdateDocumentAddress();
    UpdateFlow update(
        ui, state.workers, [] { QCoreApplication::exit(kEndedEarly); },
        [updateAddress](std::stop_token stop) { return FetchUpdateDocument(updateAddress, stop); });
    Startup startup(application, state, window, ui, update,
                    {.probeUrl = Services().probeUrl,
                     .probeTimeout = kProbeTimeout,
                     .defaultFolder = DefaultDownloadFolder()});

    int status = kEndedEarly;
    if (startup.OnWindowCreated()) {
        window.show();
        status = QApplication::exec();
    }
    if (!state.Shutdown(kWorkerGrace)) {
        // A worker is stuck in a call that cannot be cut short: releasing what it uses would
        // crash, so the process ends here, with nothing of ours left to lose.
        std::fflush(nullptr);
        std::_Exit(status);
    }
    return status;
}

}  // namespace

int RunApplication(int argc, char** argv) {
    QApplication application(argc, argv);
    // libmpv refuses to start under a locale whose decimal point is not ".".
    std::setlocale(LC_NUMERIC, "C");
    InstallFontSubstitution();
    QThread* gui = application.thread();
    SetWaitHook([gui] {
        if (QThread::currentThread() == gui) QCoreApplication::processEvents();
    });
    const int status = RunWindow(application);
    SetWaitHook({});
    return status;
}

}  // namespace tunelark
