// One QApplication for every dialog test, on the offscreen platform.
#include <gtest/gtest.h>
#include <QApplication>
#include <memory>

namespace {

class WidgetsEnvironment : public ::testing::Environment {
public:
    void SetUp() override {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
        static int argc = 1;
        static char name[] = "test_widgets";
        static char* argv[] = {name, nullptr};
        m_app = std::make_unique<QApplication>(argc, argv);
    }
    void TearDown() override { m_app.reset(); }

private:
    std::unique_ptr<QApplication> m_app;
};

[[maybe_unused]] auto* const environment =
    ::testing::AddGlobalTestEnvironment(new WidgetsEnvironment);

}  // namespace
