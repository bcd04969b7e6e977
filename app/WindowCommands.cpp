#include "app/WindowCommands.h"

#include <QCursor>

#include "app/Links.h"
#include "platform/HostPath.h"
#include "player/QtText.h"

namespace tunelark {
namespace {

enum Mode { kMusic = 0, kMv = 1 };

QString HostFolder(const QString& folder) {
    return QString::fromStdString(HostPath(ToText(folder)).string());
}

}  // namespace

WindowCommands::WindowCommands(MainWindow& window, Ui& ui, CatalogCommands& catalog)
    : QObject(&window), window_(window), main_(window.Main()), ui_(ui), catalog_(catalog) {
    ConnectMainPage();
    ConnectMenus();
    ConnectOtherPages();
}

void WindowCommands::ConnectMainPage() {
    connect(main_.search, &QPushButton::clicked, this, &WindowCommands::Search);
    connect(main_.mode, &QComboBox::currentIndexChanged, this, &WindowCommands::SwitchMode);
    connect(main_.results, &ReportList::MenuRequested, this, &WindowCommands::ShowResultsMenu);
    connect(main_.qualities, &ReportList::MenuRequested, this, &WindowCommands::ShowQualitiesMenu);
    connect(main_.open, &QPushButton::clicked, this, &WindowCommands::OpenFolder);
    connect(main_.reset, &QPushButton::clicked, this, &WindowCommands::ChooseFolder);
}

void WindowCommands::ConnectMenus() {
    const auto song = main_.songMenu->actions();
    connect(song[0], &QAction::triggered, this, [this] { catalog_.ListenOnline(); });
    connect(song[1], &QAction::triggered, this, &WindowCommands::DownloadSong);
    connect(main_.mvMenu->actions()[0], &QAction::triggered, this,
            [this] { catalog_.ResolveMvAddresses(); });
    const auto quality = main_.qualityMenu->actions();
    connect(quality[0], &QAction::triggered, this, &WindowCommands::DownloadMv);
    connect(quality[1], &QAction::triggered, this, [this] { catalog_.PreviewMv(); });
    connect(quality[2], &QAction::triggered, this, [this] { catalog_.CopyMvAddress(); });
}

void WindowCommands::ConnectOtherPages() {
    connect(window_.Mv().fullScreen, &QPushButton::clicked, this,
            [this] { catalog_.FullScreen(); });
    connect(window_.Mv().homePage, &QPushButton::clicked, this, [this] { OpenPage(kHomePage); });
    const AboutPage& about = window_.About();
    connect(about.picture, &ClickLabel::LeftPressed, this, &WindowCommands::Thank);
    connect(about.communityLink, &ClickLabel::LeftPressed, this,
            [this] { OpenPage(kCommunityPage); });
    connect(about.forumLink, &ClickLabel::LeftPressed, this, [this] { OpenPage(kForumPage); });
    connect(about.feedbackLink, &ClickLabel::LeftPressed, this,
            [this] { OpenPage(kFeedbackPage); });
}

void WindowCommands::Search() {
    // Only the result list is emptied; the qualities of earlier MVs stay.
    main_.results->Model().Store().Clear();
    switch (main_.mode->currentIndex()) {
        case kMusic:
            catalog_.SearchMusic(Inputs());
            break;
        case kMv:
            catalog_.SearchMv(Inputs());
            break;
        default:
            break;
    }
}

void WindowCommands::SwitchMode(int mode) {
    if (mode != kMusic && mode != kMv) return;
    main_.songPlayer->setVisible(mode == kMusic);
    main_.qualityBox->setVisible(mode == kMv);
}

void WindowCommands::ShowResultsMenu() {
    switch (main_.mode->currentIndex()) {
        case kMusic:
            main_.songMenu->popup(QCursor::pos());
            break;
        case kMv:
            main_.mvMenu->popup(QCursor::pos());
            break;
        default:
            break;
    }
}

void WindowCommands::ShowQualitiesMenu() {
    main_.qualityMenu->popup(QCursor::pos());
}

void WindowCommands::DownloadSong() {
    if (HasFolder()) catalog_.DownloadSong(Inputs());
}

// The MV download checks the folder as the song download does: without one the file would
// land in the root folder.
void WindowCommands::DownloadMv() {
    if (HasFolder()) catalog_.DownloadMv(Inputs());
}

void WindowCommands::OpenFolder() {
    const QString folder = main_.folder->text();
    if (folder.isEmpty()) return;
    ui_.OpenUrl(QUrl::fromLocalFile(HostFolder(folder)));
}

void WindowCommands::ChooseFolder() {
    const QString current = main_.folder->text();
    const QString start = current.isEmpty() ? QString() : HostFolder(current);
    // A cancel keeps the folder that was there.
    if (const auto chosen = ui_.ChooseFolder(QStringLiteral("下载目录"), start)) {
        main_.folder->setText(*chosen);
    }
}

void WindowCommands::OpenPage(const char* address) {
    ui_.OpenUrl(QUrl(QString::fromUtf8(address)));
}

void WindowCommands::Thank() {
    ui_.ShowMessage(
        MessageIcon::Information, QStringLiteral("感谢支持"),
        QStringLiteral("如果觉得软件好用，麻烦帮我分享给好友吧，Tunelark（包括付费音乐）"
                       "免费下载吆！"));
}

CommandInputs WindowCommands::Inputs() const {
    return {.keyword = ToText(main_.keyword->text()), .folder = ToText(main_.folder->text())};
}

bool WindowCommands::HasFolder() {
    // Only a completely empty text counts: a folder of spaces is the user's choice.
    if (!main_.folder->text().isEmpty()) return true;
    ui_.ShowMessage(MessageIcon::Error, QStringLiteral("错误提示"),
                    QStringLiteral("请先设置下载目录！"));
    return false;
}

}  // namespace tunelark
