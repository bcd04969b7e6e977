#pragma once

#include <QObject>

#include "app/MainWindow.h"
#include "app/Ui.h"
#include "catalog/CatalogCommands.h"

namespace tunelark {

// The window's command handlers: the simple ones in full, the catalogue ones handed on.
class WindowCommands final : public QObject {
    Q_OBJECT

public:
    WindowCommands(MainWindow& window, Ui& ui, CatalogCommands& catalog);

private:
    void ConnectMainPage();
    void ConnectMenus();
    void ConnectOtherPages();

    void Search();
    void SwitchMode(int mode);
    void ShowResultsMenu();
    void ShowQualitiesMenu();
    void DownloadSong();
    void DownloadMv();
    void OpenFolder();
    void ChooseFolder();
    void OpenPage(const char* address);
    void Thank();

    [[nodiscard]] CommandInputs Inputs() const;
    // False, after telling the user, when no download folder is given.
    [[nodiscard]] bool HasFolder();

    MainWindow& window_;
    MainPage& main_;
    Ui& ui_;
    CatalogCommands& catalog_;
};

}  // namespace tunelark
