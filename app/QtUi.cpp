#include "app/QtUi.h"

#include <QClipboard>
#include <QDesktopServices>
#include <QFileDialog>
#include <QGuiApplication>
#include <QMessageBox>

namespace tunelark {
namespace {

QMessageBox::Icon BoxIcon(MessageIcon icon) {
    switch (icon) {
        case MessageIcon::Information:
            return QMessageBox::Information;
        case MessageIcon::Error:
            return QMessageBox::Critical;
        case MessageIcon::None:
            break;
    }
    return QMessageBox::NoIcon;
}

}  // namespace

void QtUi::ShowMessage(MessageIcon icon, const QString& title, const QString& text) {
    QMessageBox box(BoxIcon(icon), title, text, QMessageBox::Ok);
    box.setWindowModality(Qt::ApplicationModal);
    box.exec();
}

std::optional<QString> QtUi::ChooseFolder(const QString& title, const QString& startFolder) {
    const QString folder = QFileDialog::getExistingDirectory(nullptr, title, startFolder);
    if (folder.isEmpty()) return std::nullopt;
    return folder;
}

void QtUi::SetClipboard(const QString& text) {
    QGuiApplication::clipboard()->setText(text);
}

void QtUi::OpenUrl(const QUrl& url) {
    // Failures are not reported: the desktop shows its own when it has one.
    if (url.isValid() && !url.isEmpty()) QDesktopServices::openUrl(url);
}

}  // namespace tunelark
