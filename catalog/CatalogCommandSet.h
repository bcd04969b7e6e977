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

// The catalogue's commands over the two lists, the window, the worker threads and the
// downloader. The searches and the song download run on `workers`; the rest on the calling (GUI)
// thread. Workers and download jobs refer to this object and the lists: stop and join the
// workers and destroy the downloader before this object and the lists go.
class CatalogCommandSet final : public CatalogCommands {
public:
    CatalogCommandSet(RowList& results, RowList& qualities, CatalogWindow& window,
                      WorkerThreads& workers, MultiPartDownloader& downloader,
                      const ServiceConfig& services = Services());
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
    MultiPartDownloader& downloader_;
    const ServiceConfig services_;
    SearchSession session_;
    RowProgress songProgress_;
    RowProgress mvProgress_;
};

}  // namespace tunelark
