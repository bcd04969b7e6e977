#include <gtest/gtest.h>

#include <QApplication>
#include <QCursor>
#include <QGroupBox>
#include <QGuiApplication>
#include <QImage>
#include <QProcess>
#include <QPushButton>
#include <QScreen>
#include <QStandardPaths>
#include <QTest>
#include <set>

#include "MediaServer.h"
#include "player/ControlHost.h"
#include "player/MediaControl.h"
#include "player/MediaState.h"

namespace tunelark::test {
namespace {

constexpr int kWaitMs = 20000;

// Runs this binary again under a private X server; the child does the real work.
int RunUnderXvfb(const QString& xvfbRun, QString& output) {
    QProcess child;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("TUNELARK_X11_CHILD", "1");
    environment.insert("QT_QPA_PLATFORM", "xcb");
    child.setProcessEnvironment(environment);
    child.setProcessChannelMode(QProcess::MergedChannels);
    child.start(xvfbRun,
                {"-a", "-s", "-screen 0 1024x768x24", QCoreApplication::applicationFilePath(),
                 "--gtest_filter=X11SmokeTest.*"});
    if (!child.waitForFinished(180000)) {
        child.kill();
        child.waitForFinished();
        output = "timed out\n" + QString::fromLocal8Bit(child.readAll());
        return -1;
    }
    output = QString::fromLocal8Bit(child.readAll());
    return child.exitStatus() == QProcess::NormalExit ? child.exitCode() : -1;
}

// A window manager, which full screen needs; stopped when the test ends.
class WindowManager final {
public:
    WindowManager() {
        const QString openbox = QStandardPaths::findExecutable("openbox");
        if (openbox.isEmpty()) return;
        process_.start(openbox, {});
        QTest::qWait(1000);  // let it take over the screen before windows are mapped
    }
    ~WindowManager() {
        process_.terminate();
        if (!process_.waitForFinished(5000)) process_.kill();
        process_.waitForFinished();
    }
    WindowManager(const WindowManager&) = delete;
    WindowManager& operator=(const WindowManager&) = delete;

    [[nodiscard]] bool Running() const { return process_.state() == QProcess::Running; }

private:
    QProcess process_;
};

// How many distinct colours a screen area shows: a black or blank area shows one.
std::size_t ColoursIn(const QRect& area) {
    const QImage shot = QGuiApplication::primaryScreen()
                            ->grabWindow(0, area.x(), area.y(), area.width(), area.height())
                            .toImage();
    std::set<QRgb> colours;
    for (int y = 0; y < shot.height(); y += 8) {
        for (int x = 0; x < shot.width(); x += 8) colours.insert(shot.pixel(x, y));
    }
    return colours.size();
}

void Screenshot(const char* name) {
    const QString folder = qEnvironmentVariable("TUNELARK_SCREENSHOT_DIR");
    if (!folder.isEmpty()) QProcess::execute("import", {"-window", "root", folder + "/" + name});
}

void EmbedAndGoFullScreen() {
    ASSERT_EQ(QGuiApplication::platformName(), "xcb");
    MediaServer& media = MediaServer::Shared();
    ASSERT_TRUE(media.Ready()) << media.Problem();
    WindowManager manager;
    ASSERT_TRUE(manager.Running()) << "openbox is needed for full screen";

    QWidget window;
    auto* box = new QGroupBox("MV", &window);
    box->setGeometry(10, 10, 500, 300);
    auto* button = new QPushButton("full", &window);
    button->setGeometry(10, 320, 80, 25);
    window.resize(640, 460);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));

    // The song player: audio only, still with a window for the controller.
    auto* songBox = new QGroupBox("song", &window);
    songBox->setGeometry(360, 320, 260, 120);
    songBox->show();
    ControlHost songHost;
    ASSERT_NE(songHost.CreateActiveX(songBox, kMediaPlayerClassId, 2, 8, 245, 104, 0), nullptr);
    const std::shared_ptr<MediaControl> song = songHost.GetIDispatch();
    ASSERT_NE(song, nullptr);
    EXPECT_EQ(song->settings().playCount(50), 50);
    song->URL(media.Url("clip.mp3"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return song->playState() == kPlayPlaying; }, kWaitMs));
    EXPECT_TRUE(QTest::qWaitFor(
        [&] { return song->Mpv().GetString("current-vo").value_or("") == "x11"; }, kWaitMs));

    ControlHost host;
    QWidget* hosted = host.CreateActiveX(box, kMediaPlayerClassId, 1, 9, 485, 240, 0);
    const std::shared_ptr<MediaControl> control = host.GetIDispatch();
    ASSERT_NE(control, nullptr);
    EXPECT_EQ(control->settings().volume(100), 100);
    EXPECT_EQ(control->settings().playCount(50), 50);  // keeps the picture moving throughout
    control->URL(media.Url("clip.mp4"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return control->playState() == kPlayPlaying; }, kWaitMs));
    ASSERT_TRUE(
        QTest::qWaitFor([&] { return control->Controls().currentPosition() > 1.0; }, kWaitMs));
    EXPECT_EQ(control->Mpv().GetString("current-vo").value_or(""), "x11");
    const QRect inWindow(hosted->mapToGlobal(QPoint(0, 0)), hosted->size());
    EXPECT_GT(ColoursIn(inWindow), 4u) << "the test picture is not inside the host window";

    // A real pointer over the video reaches the host (and through it the controller).
    int moves = 0;
    ASSERT_TRUE(host.AdviseEvent(
        kMouseMove, [&](std::intptr_t, const EventArgs&) { ++moves; }, 0));
    QCursor::setPos(inWindow.center());
    QTest::qWait(100);
    QCursor::setPos(inWindow.center() + QPoint(0, 80));
    EXPECT_TRUE(QTest::qWaitFor([&] { return moves > 0; }, kWaitMs));
    QTest::qWait(300);
    Screenshot("embedded.png");

    EXPECT_TRUE(control->fullScreen(true));
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    ASSERT_TRUE(QTest::qWaitFor(
        [&] {
            return window.isFullScreen() &&
                   QRect(hosted->mapToGlobal(QPoint(0, 0)), hosted->size()) == screen;
        },
        kWaitMs));
    EXPECT_FALSE(button->isVisible());
    QTest::qWait(1000);  // a frame at the new size
    EXPECT_GT(ColoursIn(screen), 4u);
    Screenshot("fullscreen.png");

    // Esc, pressed wherever the keyboard focus now is, leaves full screen.
    QWidget* focus = QApplication::focusWidget();
    ASSERT_NE(focus, nullptr);
    EXPECT_EQ(focus->parentWidget(), hosted);
    QTest::keyClick(focus, Qt::Key_Escape);
    EXPECT_TRUE(QTest::qWaitFor(
        [&] { return !window.isFullScreen() && hosted->geometry() == QRect(1, 9, 485, 240); },
        kWaitMs));
    EXPECT_TRUE(button->isVisible());
    QTest::qWait(500);
    EXPECT_GT(ColoursIn(QRect(hosted->mapToGlobal(QPoint(0, 0)), hosted->size())), 4u)
        << "the video did not come back into the host window";
    // Moving and resizing a plain ancestor moves the video with it.
    box->setGeometry(40, 30, 520, 310);
    QTest::qWait(500);
    EXPECT_GT(ColoursIn(QRect(hosted->mapToGlobal(QPoint(0, 0)), hosted->size())), 4u)
        << "the video stayed behind when its group box moved";
    Screenshot("restored.png");

    // The song player's group box goes while its mpv still renders into it: mpv ends first.
    songBox->deleteLater();
    EXPECT_TRUE(QTest::qWaitFor([&] { return !song->IsAlive(); }, kWaitMs));
    EXPECT_EQ(song->playState(), 0);

    // Closing the window (as its close button does) destroys its native windows at once: mpv
    // must have ended by then, or its own teardown hits a window already gone (an X error
    // that ends the process).
    ASSERT_NE(window.windowHandle(), nullptr);
    window.windowHandle()->close();
    EXPECT_FALSE(control->IsAlive());
    EXPECT_FALSE(window.isVisible());
}

TEST(X11SmokeTest, VideoPlaysInsideTheHostWindowAndFullScreenCoversTheScreen) {
    if (!qEnvironmentVariableIsEmpty("TUNELARK_X11_CHILD")) {
        EmbedAndGoFullScreen();
        return;
    }
    const QString xvfbRun = QStandardPaths::findExecutable("xvfb-run");
    if (xvfbRun.isEmpty()) GTEST_SKIP() << "xvfb-run is not installed";
    QString output;
    EXPECT_EQ(RunUnderXvfb(xvfbRun, output), 0) << output.toStdString();
}

}  // namespace
}  // namespace tunelark::test
