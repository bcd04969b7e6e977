#pragma once

#include <deque>
#include <vector>

#include "app/Ui.h"

namespace tunelark::test {

// Answers the dialogs from a script and keeps what was shown.
class RecordingUi final : public Ui {
public:
    struct Message {
        MessageIcon icon = MessageIcon::None;
        QString title;
        QString text;
    };

    void ShowMessage(MessageIcon icon, const QString& title, const QString& text) override {
        messages.push_back({icon, title, text});
    }
    std::optional<QString> ChooseFolder(const QString& title, const QString& start) override {
        chooserTitles.push_back(title);
        chooserStarts.push_back(start);
        if (folderAnswers.empty()) return std::nullopt;
        // Only an answer that holds a folder is copied out: copying the optional itself makes
        // GCC's optimiser warn that an empty one's string may be read uninitialised.
        const bool chosen = folderAnswers.front().has_value();
        QString folder = chosen ? *folderAnswers.front() : QString();
        folderAnswers.pop_front();
        if (!chosen) return std::nullopt;
        return folder;
    }
    void SetClipboard(const QString& text) override { clipboard = text; }
    void OpenUrl(const QUrl& url) override { opened.push_back(url); }

    std::vector<Message> messages;
    std::vector<QString> chooserTitles;
    std::vector<QString> chooserStarts;
    std::deque<std::optional<QString>> folderAnswers;  // nullopt: the user cancels
    QString clipboard;
    std::vector<QUrl> opened;
};

}  // namespace tunelark::test
