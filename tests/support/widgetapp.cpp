// One QApplication for every test of a test program, on the offscreen platform unless the run
// names another. Listed among a test program's sources (not linked from a library), so that its
// registration is never dropped.
#include <gtest/gtest.h>
#include <QApplication>
#include <memory>

namespace {

class WidgetAppEnvironment : public ::testing::Environment {
public:
    void SetUp() override {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
        static int argc = 1;
        static char name[] = "ov-test";
        static char* argv[] = {name, nullptr};
        m_app = std::make_unique<QApplication>(argc, argv);
    }
    void TearDown() override { m_app.reset(); }

private:
    std::unique_ptr<QApplication> m_app;
};

[[maybe_unused]] auto* const environment =
    ::testing::AddGlobalTestEnvironment(new WidgetAppEnvironment);

}  // namespace
