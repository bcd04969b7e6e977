#include "cli/DownloadToFile.h"

#include <condition_variable>
#include <cstdio>
#include <mutex>

#include "cli/Commands.h"
#include "cli/InterruptWatch.h"
#include "cli/ProgressBar.h"
#include "download/MultiPartDownloader.h"
#include "platform/HostPath.h"

namespace tunelark::cli {
namespace {

// How the job ended, as its reports and the interrupt tell it.
class Ending final {
public:
    void Set(int status) {
        {
            std::lock_guard lock(mutex_);
            if (!ended_) status_ = status;
            ended_ = true;
        }
        changed_.notify_all();
    }
    [[nodiscard]] int Wait() {
        std::unique_lock lock(mutex_);
        changed_.wait(lock, [this] { return ended_; });
        return status_;
    }

private:
    std::mutex mutex_;
    std::condition_variable changed_;
    bool ended_ = false;
    int status_ = kReportFailed;
};

constexpr int kInterrupted = 2;

void PrintSaved(const Text& targetPath, const ProgressBar& bar, int64_t total) {
    std::fprintf(stderr, "saved %s (%s in %.1f s, %s/s)\n", HostPath(targetPath).c_str(),
                 HumanBytes(static_cast<double>(total)).c_str(), bar.Seconds(),
                 HumanBytes(bar.BytesPerSecond()).c_str());
}

}  // namespace

int DownloadToFile(const Text& address, Text targetPath, int32_t threadLimit) {
    Ending ending;
    ProgressBar bar(stderr);
    int64_t total = 0;
    InterruptWatch interrupts([&ending] { ending.Set(kInterrupted); });
    MultiPartDownloader downloader;
    const int32_t job = downloader.Start(
        address, targetPath, threadLimit,
        [&](int32_t, int32_t status, int64_t totalBytes, int64_t bytesDone) {
            if (status == kReportProgress) return bar.Update(totalBytes, bytesDone);
            total = totalBytes;
            ending.Set(status);
        },
        1);
    if (job < 0) {
        std::fprintf(stderr, "tunelark-cli: cannot download %s: %s\n", address.c_str(),
                     downloader.FailureReason(1).c_str());
        return kExitFailed;
    }
    const int status = ending.Wait();
    downloader.StopAll();
    bar.Finish(status == kReportDone);
    if (status == kReportDone) {
        PrintSaved(targetPath, bar, total);
        return kExitOk;
    }
    if (status == kInterrupted) {
        std::fprintf(stderr, "tunelark-cli: interrupted; nothing was saved\n");
        return kExitInterrupted;
    }
    std::fprintf(stderr, "tunelark-cli: the download failed, nothing was saved: %s\n",
                 downloader.FailureReason(job).c_str());
    return kExitFailed;
}

}  // namespace tunelark::cli
