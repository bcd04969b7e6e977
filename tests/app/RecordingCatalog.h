#pragma once

#include <string>
#include <vector>

#include "catalog/CatalogCommands.h"

namespace tunelark::test {

// Keeps the catalogue commands the window handed on, with their inputs.
class RecordingCatalog final : public CatalogCommands {
public:
    struct Call {
        std::string command;
        CommandInputs inputs;
    };

    void SearchMusic(const CommandInputs& inputs) override {
        calls.push_back({"SearchMusic", inputs});
    }
    void SearchMv(const CommandInputs& inputs) override { calls.push_back({"SearchMv", inputs}); }
    void ListenOnline() override { calls.push_back({"ListenOnline", {}}); }
    void DownloadSong(const CommandInputs& inputs) override {
        calls.push_back({"DownloadSong", inputs});
    }
    void ResolveMvAddresses() override { calls.push_back({"ResolveMvAddresses", {}}); }
    void DownloadMv(const CommandInputs& inputs) override {
        calls.push_back({"DownloadMv", inputs});
    }
    void PreviewMv() override { calls.push_back({"PreviewMv", {}}); }
    void CopyMvAddress() override { calls.push_back({"CopyMvAddress", {}}); }
    void FullScreen() override { calls.push_back({"FullScreen", {}}); }

    [[nodiscard]] std::vector<std::string> Names() const {
        std::vector<std::string> names;
        for (const Call& call : calls) names.push_back(call.command);
        return names;
    }

    std::vector<Call> calls;
};

}  // namespace tunelark::test
