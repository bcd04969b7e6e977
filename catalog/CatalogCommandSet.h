#pragma once

#include "catalog/CatalogCommands.h"
#include "catalog/CatalogSearch.h"
#include "catalog/SearchSession.h"
#include "download/MultiPartDownloader.h"
#include "download/RowProgress.h"
#include "platform/RowList.h"
#include "platform/ServiceConfig.h"
#include "platform/WorkerThreads.h"

namespace tunelark {

// The catalogue's commands over the two lists, the window and the worker threads, with the
// process's one downloader, which it owns. The searches and the song download run on `workers`;
// the rest on the calling (GUI) thread. Workers refer to this object: stop and join them before
// it goes. Its download jobs are stopped and waited for when it goes, before the lists may go.
class CatalogCommandSet final : public CatalogCommands {
public:
    CatalogCommandSet(RowList& results, RowList& qualities, CatalogWindow& window,
                      WorkerThreads& workers, const ServiceConfig& services = Services(),
                      const DownloadSettings& downloads = {});
    CatalogCommandSet(const CatalogCommandSet&) = delete;
    CatalogCommandSet& operator=(const CatalogCommandSet&) = delete;

    // Each search first empties the result list and supersedes the searches still running.
    void SearchMusic(const CommandInputs& inputs) override;
    void SearchMv(const CommandInputs& inputs) override;
    void ListenOnline() override;
    void DownloadSong(const CommandInputs& inputs) override;
    void ResolveMvAddresses() override;
    void DownloadMv(const CommandInputs& inputs) override;
    void PreviewMv() override;
    void CopyMvAddress() override;
    void FullScreen() override;

private:
    void Search(SearchMode mode, const Text& keyword);
    [[nodiscard]] Text SelectedQualityAddress() const;

    RowList& results_;
    RowList& qualities_;
    CatalogWindow& window_;
    WorkerThreads& workers_;
    const ServiceConfig services_;
    SearchSession session_;
    RowProgress songProgress_;
    RowProgress mvProgress_;
    // Last, so that it goes first: its jobs report into the progress writers above.
    MultiPartDownloader downloader_;
};

}  // namespace tunelark
