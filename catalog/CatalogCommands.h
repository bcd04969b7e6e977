#pragma once

#include "text/Text.h"

namespace tunelark {

// The texts of the window's two edit boxes when a command starts: "编辑框1" (the keyword) and
// "编辑框2" (the download folder, as the user wrote it).
struct CommandInputs {
    Text keyword;
    Text folder;
};

// The catalogue's commands as the window calls them, always on the GUI thread. The searches
// and the song download start a worker thread (through WorkerThreads, so that the exit can stop
// and wait for it) and return at once; the others do their work on the calling thread, keeping
// the window responsive through the web request's wait hook. Each command takes the selected
// row of its list once, at its start. The lists themselves (platform/RowList.h) are handed to
// the implementation when it is made.
class CatalogCommands {
public:
    virtual ~CatalogCommands() = default;

    // "搜索" in mode "音乐" / "MV"; the window has just emptied the result list.
    virtual void SearchMusic(const CommandInputs& inputs) = 0;
    virtual void SearchMv(const CommandInputs& inputs) = 0;
    // "在线试听" on the selected result row.
    virtual void ListenOnline() = 0;
    // "立即下载"; the window has checked that inputs.folder is not empty.
    virtual void DownloadSong(const CommandInputs& inputs) = 0;
    // "解析下载地址" on the selected result row.
    virtual void ResolveMvAddresses() = 0;
    // "下载MV到本地" on the selected quality row; inputs.folder checked as for the song.
    virtual void DownloadMv(const CommandInputs& inputs) = 0;
    // "在线预览" and "复制下载地址" on the selected quality row.
    virtual void PreviewMv() = 0;
    virtual void CopyMvAddress() = 0;
    // "全屏播放".
    virtual void FullScreen() = 0;
};

// What the window does for the catalogue besides the lists; GUI thread only.
class CatalogWindow {
public:
    virtual ~CatalogWindow() = default;

    // Plays an address in the song player ("分组框3") or the MV player ("分组框7"); nothing
    // when that player could not be made.
    virtual void PlaySong(const Text& address) = 0;
    virtual void PlayMv(const Text& address) = 0;
    // The MV player full screen.
    virtual void MvFullScreen() = 0;
    // Selects the "MV在线" page.
    virtual void ShowMvPage() = 0;
    virtual void SetClipboard(const Text& text) = 0;
};

}  // namespace tunelark
