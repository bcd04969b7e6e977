#include <gtest/gtest.h>

#include <QApplication>
#include <clocale>

// Player tests need a QApplication. They run on the offscreen platform unless the X11 smoke
// test starts this binary again under a real X server.
int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("TUNELARK_X11_CHILD")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    // libmpv refuses to start under a locale whose decimal point is not '.'.
    std::setlocale(LC_NUMERIC, "C");
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
