#include "download/MultiPartDownloader.h"

#include "download/FileNameFromServer.h"
#include "download/HeaderProbe.h"
#include "download/LengthProbe.h"
#include "download/PartFile.h"
#include "platform/CancelScope.h"
#include "platform/HostPath.h"

namespace tunelark {

MultiPartDownloader::MultiPartDownloader(DownloadSettings settings) : settings_(settings) {}

MultiPartDownloader::~MultiPartDownloader() {
    std::map<int32_t, std::unique_ptr<DownloadJob>> jobs;
    {
        std::lock_guard lock(mutex_);
        jobs.swap(jobs_);
    }
    // Stop them all first so that they wind down together, then join each.
    for (auto& [number, job] : jobs) job->SetState(JobState::Stopped);
    jobs.clear();
}

int32_t MultiPartDownloader::Start(const Text& address, Text& targetPath, int32_t threadLimit,
                                   ProgressCallback callback, int32_t /*reserved*/) {
    const int32_t number = ReserveJobNumber();
    ResolveTargetPath(address, targetPath, settings_);
    return StartJob(number, address, targetPath, threadLimit, std::move(callback));
}

int32_t MultiPartDownloader::ReserveJobNumber() {
    std::lock_guard lock(mutex_);
    ReapEndedJobs();
    table_.push_back(0);
    return ++jobCounter_;
}

int32_t MultiPartDownloader::StartJob(int32_t number, const Text& address, const Text& targetPath,
                                      int32_t threadLimit, ProgressCallback callback) {
    const LengthProbeResult probe = ProbeLength(address, settings_);
    if (!probe.ok) return RecordStart(number, nullptr, probe.error);
    // A stop asked while the probe's reply came in (the program is closing) starts nothing.
    if (CancelRequested()) return RecordStart(number, nullptr, kCancelledReason);
    std::string error;
    auto file = PartFile::Create(HostPath(targetPath), probe.length, error);
    if (!file) return RecordStart(number, nullptr, error);
    auto job =
        std::make_unique<DownloadJob>(JobSetup{number, probe.partAddress, probe.length, threadLimit,
                                               std::move(callback), std::move(file), settings_});
    if (!job->Launch(error)) return RecordStart(number, nullptr, error);
    return RecordStart(number, std::move(job), {});
}

int32_t MultiPartDownloader::RecordStart(int32_t number, std::unique_ptr<DownloadJob> job,
                                         std::string reason) {
    std::lock_guard lock(mutex_);
    const int32_t handle = job ? number : -1;
    table_[static_cast<size_t>(number - 1)] = handle;
    if (job) {
        jobs_.emplace(number, std::move(job));
    } else {
        reasons_[number] = std::move(reason);
    }
    return handle;
}

bool MultiPartDownloader::Pause(int32_t jobNumber) {
    return Control(jobNumber, [](DownloadJob& job) { return job.SetState(JobState::Paused); });
}

bool MultiPartDownloader::Stop(int32_t jobNumber) {
    return Control(jobNumber, [](DownloadJob& job) { return job.SetState(JobState::Stopped); });
}

bool MultiPartDownloader::Resume(int32_t jobNumber) {
    return Control(jobNumber, [](DownloadJob& job) { return job.SetState(JobState::Running); });
}

bool MultiPartDownloader::StopThenRun(int32_t jobNumber) {
    return Control(jobNumber, [](DownloadJob& job) { return job.StopThenRun(); });
}

void MultiPartDownloader::PauseAll() {
    ControlAll([](DownloadJob& job) { return job.SetState(JobState::Paused); });
}

void MultiPartDownloader::StopAll() {
    ControlAll([](DownloadJob& job) { return job.SetState(JobState::Stopped); });
}

void MultiPartDownloader::ResumeAll() {
    ControlAll([](DownloadJob& job) { return job.SetState(JobState::Running); });
}

void MultiPartDownloader::StopThenRunAll() {
    ControlAll([](DownloadJob& job) { return job.StopThenRun(); });
}

std::vector<int32_t> MultiPartDownloader::JobTable() const {
    std::lock_guard lock(mutex_);
    return table_;
}

std::string MultiPartDownloader::FailureReason(int32_t jobNumber) const {
    std::lock_guard lock(mutex_);
    if (auto job = jobs_.find(jobNumber); job != jobs_.end()) return job->second->FailureReason();
    if (auto reason = reasons_.find(jobNumber); reason != reasons_.end()) return reason->second;
    return {};
}

bool MultiPartDownloader::Control(int32_t jobNumber,
                                  const std::function<bool(DownloadJob&)>& operation) {
    std::lock_guard lock(mutex_);
    auto job = jobs_.find(jobNumber);
    return job != jobs_.end() && operation(*job->second);
}

void MultiPartDownloader::ControlAll(const std::function<bool(DownloadJob&)>& operation) {
    std::lock_guard lock(mutex_);
    for (auto& [number, job] : jobs_) operation(*job);
}

// Ended jobs hold nothing but their threads' last moments; join them and keep their reasons.
void MultiPartDownloader::ReapEndedJobs() {
    for (auto it = jobs_.begin(); it != jobs_.end();) {
        if (!it->second->Ended()) {
            ++it;
            continue;
        }
        if (std::string reason = it->second->FailureReason(); !reason.empty()) {
            reasons_[it->first] = std::move(reason);
        }
        it = jobs_.erase(it);
    }
}

}  // namespace tunelark
