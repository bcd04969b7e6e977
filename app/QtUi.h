#pragma once

#include "app/Ui.h"

namespace tunelark {

// The real dialogs: Qt message boxes, the folder chooser, the clipboard, the desktop services.
class QtUi final : public Ui {
public:
    void ShowMessage(MessageIcon icon, const QString& title, const QString& text) override;
    [[nodiscard]] std::optional<QString> ChooseFolder(const QString& title,
                                                      const QString& startFolder) override;
    void SetClipboard(const QString& text) override;
    void OpenUrl(const QUrl& url) override;
};

}  // namespace tunelark
