#include "app/UpdateFlow.h"

#include <QUrl>

#include "player/QtText.h"

namespace tunelark {

UpdateFlow::UpdateFlow(Ui& ui, WorkerThreads& workers, EndProgram endProgram, Fetch fetch)
    : ui_(ui), workers_(workers), endProgram_(std::move(endProgram)), fetch_(std::move(fetch)) {}

void UpdateFlow::Start() {
    (void)workers_.Start([this](std::stop_token stop) {
        const auto outcome = CheckForUpdate(
            [this, &stop] { return fetch_(stop); },
            [&stop](std::chrono::milliseconds pause) { return SleepUnlessStopped(stop, pause); });
        if (!outcome || stop.stop_requested()) return;
        QMetaObject::invokeMethod(
            this, [this, shown = *outcome] { Present(shown); }, Qt::QueuedConnection);
    });
}

void UpdateFlow::Present(const UpdateOutcome& outcome) {
    switch (outcome.kind) {
        case UpdateOutcome::Kind::Unreachable:
            ui_.ShowMessage(
                MessageIcon::Error, QStringLiteral("错误提示"),
                QStringLiteral("服务器连接失败，请检查电脑是否设置ip代理或翻墙等相关操作，"
                               "如果开启请关闭后重试，如若网络正常请重启路由器或断开网络"
                               "重新连接后 尝试！"));
            endProgram_();
            break;
        case UpdateOutcome::Kind::Newer: {
            ui_.ShowMessage(MessageIcon::None, QStringLiteral("更新提示"),
                            QStringLiteral("检测到新版本，请点击确定下载最新版本！"));
            const QString address = ToQString(outcome.address);
            if (IsWebAddress(address)) ui_.OpenUrl(QUrl(address, QUrl::StrictMode));
            break;
        }
        case UpdateOutcome::Kind::Current:
            break;
    }
}

bool IsWebAddress(const QString& address) {
    const QUrl url(address, QUrl::StrictMode);
    const QString scheme = url.scheme().toLower();
    return url.isValid() && (scheme == "http" || scheme == "https") && !url.host().isEmpty();
}

}  // namespace tunelark
