#include "app/Application.h"

#include <QApplication>
#include <QThread>
#include <clocale>
#include <cstdio>
#include <cstdlib>

#include "app/QtUi.h"
#include "app/Startup.h"
#include "app/WindowFont.h"
#include "app/WindowParts.h"
#include "net/WaitHook.h"
#include "platform/ServiceConfig.h"

namespace tunelark {
namespace {

constexpr std::chrono::seconds kProbeTimeout{5};
// How long the exit waits for worker threads before it gives up on them.
constexpr std::chrono::seconds kWorkerGrace{3};

constexpr int kEndedEarly = 1;

int RunWindow(QApplication& application) {
    QtUi ui;
    // The window and what its commands share; they go in reverse order after the exit below.
    WindowParts parts(ui);
    ProcessState& state = parts.State();
    MainWindow& window = parts.Window();
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
