#pragma once

#include "catalog/CatalogCommands.h"

namespace tunelark {

// The window's commands before a catalogue is wired in: each one does nothing.
class NullCatalogCommands final : public CatalogCommands {
public:
    void SearchMusic(const CommandInputs&) override {}
    void SearchMv(const CommandInputs&) override {}
    void ListenOnline() override {}
    void DownloadSong(const CommandInputs&) override {}
    void ResolveMvAddresses() override {}
    void DownloadMv(const CommandInputs&) override {}
    void PreviewMv() override {}
    void CopyMvAddress() override {}
    void FullScreen() override {}
};

}  // namespace tunelark
