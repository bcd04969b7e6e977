#pragma once

#include <QString>
#include <QUrl>
#include <optional>

namespace tunelark {

enum class MessageIcon { None, Information, Error };

// The dialogs and desktop services the window uses, behind one seam so that tests can answer
// the dialogs and read what was shown. Called on the GUI thread only.
class Ui {
public:
    virtual ~Ui() = default;

    // A message box without an owner window, modal for the whole application, with only an OK
    // button; returns when the user closes it.
    virtual void ShowMessage(MessageIcon icon, const QString& title, const QString& text) = 0;
    // A folder chooser; nothing when the user cancels.
    [[nodiscard]] virtual std::optional<QString> ChooseFolder(const QString& title,
                                                              const QString& startFolder) = 0;
    virtual void SetClipboard(const QString& text) = 0;
    // Hands a web address or a file URL (a folder opens in the file browser) to the desktop.
    virtual void OpenUrl(const QUrl& url) = 0;
};

}  // namespace tunelark
