#include "catalog/CatalogCommandSet.h"

#include "catalog/Columns.h"
#include "catalog/DownloadCommands.h"
#include "catalog/MvCommands.h"
#include "catalog/SongCommands.h"

namespace tunelark {

CatalogCommandSet::CatalogCommandSet(RowList& results, RowList& qualities, CatalogWindow& window,
                                     WorkerThreads& workers, const ServiceConfig& services,
                                     const DownloadSettings& downloads)
    : results_(results),
      qualities_(qualities),
      window_(window),
      workers_(workers),
      services_(services),
      session_(results),
      songProgress_(results, SongColumn::kStatus),
      mvProgress_(qualities, MvQualityColumn::kStatus),
      downloader_(downloads) {}

void CatalogCommandSet::SearchMusic(const CommandInputs& inputs) {
    Search(SearchMode::Music, inputs.keyword);
}

void CatalogCommandSet::SearchMv(const CommandInputs& inputs) {
    Search(SearchMode::Mv, inputs.keyword);
}

void CatalogCommandSet::Search(SearchMode mode, const Text& keyword) {
    const SearchTicket ticket = session_.Begin();
    workers_.Start([this, mode, keyword, ticket](std::stop_token stop) {
        const auto rows = FetchSearch(mode, keyword, services_);
        if (!stop.stop_requested()) AppendFoundRows(ticket, rows);
    });
}

void CatalogCommandSet::ListenOnline() {
    const TakenRow row = TakeSelectedRow(results_, SongColumn::kCount);
    tunelark::ListenOnline(
        results_, row, [this](const Text& address) { window_.PlaySong(address); }, services_);
}

void CatalogCommandSet::DownloadSong(const CommandInputs& inputs) {
    const TakenRow row = TakeSelectedRow(results_, SongColumn::kCount);
    DownloadTarget target{inputs.folder, inputs.keyword, &downloader_, &songProgress_, {}};
    workers_.Start([this, row, target = std::move(target)](std::stop_token stop) {
        if (!stop.stop_requested()) (void)StartSongDownload(results_, row, target, services_);
    });
}

void CatalogCommandSet::ResolveMvAddresses() {
    const TakenRow row = TakeSelectedRow(results_, SongColumn::kCount);
    (void)ResolveMvRow(results_, row, qualities_, services_);
}

void CatalogCommandSet::DownloadMv(const CommandInputs& inputs) {
    const TakenRow row = TakeSelectedRow(qualities_, MvQualityColumn::kCount);
    (void)StartMvDownload(qualities_, row,
                          {inputs.folder, inputs.keyword, &downloader_, &mvProgress_, {}});
}

void CatalogCommandSet::PreviewMv() {
    window_.PlayMv(SelectedQualityAddress());
    window_.ShowMvPage();
}

void CatalogCommandSet::CopyMvAddress() {
    window_.SetClipboard(SelectedQualityAddress());
}

void CatalogCommandSet::FullScreen() {
    window_.MvFullScreen();
}

Text CatalogCommandSet::SelectedQualityAddress() const {
    return qualities_.Cell(qualities_.SelectedRow(), MvQualityColumn::kAddress);
}

}  // namespace tunelark
