#include <gtest/gtest.h>

#include <QApplication>
#include <clocale>
#include <cstdlib>
#include <memory>

#include "app/WindowFont.h"

namespace {

// One application object for the whole test binary, on the offscreen platform.
class QtEnvironment final : public testing::Environment {
public:
    void SetUp() override {
        setenv("QT_QPA_PLATFORM", "offscreen", 0);
        application_ = std::make_unique<QApplication>(argc_, argv_);
        std::setlocale(LC_NUMERIC, "C");  // for the players' libmpv
        tunelark::InstallFontSubstitution();
    }
    void TearDown() override { application_.reset(); }

private:
    int argc_ = 1;
    char name_[16] = "tunelark-test";
    char* argv_[2] = {name_, nullptr};
    std::unique_ptr<QApplication> application_;
};

[[maybe_unused]] testing::Environment* const kQt =
    testing::AddGlobalTestEnvironment(new QtEnvironment);

}  // namespace
