#pragma once

#include <QObject>
#include <functional>

#include "app/Ui.h"
#include "app/UpdateCheck.h"
#include "platform/WorkerThreads.h"

namespace tunelark {

// Runs the update check on a worker thread and shows its outcome on the GUI thread: the
// failure message and the end of the program, or the new-version prompt and then the address.
class UpdateFlow final : public QObject {
    Q_OBJECT

public:
    using EndProgram = std::function<void()>;
    // A fetch that sees the worker's stop token.
    using Fetch = std::function<std::string(std::stop_token)>;

    UpdateFlow(Ui& ui, WorkerThreads& workers, EndProgram endProgram, Fetch fetch);

    // Starts the check on its own thread and returns at once.
    void Start();
    // What the user sees of an outcome; GUI thread.
    void Present(const UpdateOutcome& outcome);

private:
    Ui& ui_;
    WorkerThreads& workers_;
    EndProgram endProgram_;
    Fetch fetch_;
};

// Whether a text from outside may be handed to the browser: an http or https address.
[[nodiscard]] bool IsWebAddress(const QString& address);

}  // namespace tunelark
