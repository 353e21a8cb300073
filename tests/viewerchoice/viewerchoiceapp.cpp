// One QApplication for every test of the viewer choice, on the offscreen platform.
#include <gtest/gtest.h>

#include <QApplication>
#include <memory>

namespace {

class ViewerChoiceEnvironment : public ::testing::Environment {
public:
    void SetUp() override {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
        static int argc = 1;
        static char name[] = "test_viewerchoice";
        static char* argv[] = {name, nullptr};
        m_app = std::make_unique<QApplication>(argc, argv);
    }
    void TearDown() override { m_app.reset(); }

private:
    std::unique_ptr<QApplication> m_app;
};

[[maybe_unused]] auto* const environment =
    ::testing::AddGlobalTestEnvironment(new ViewerChoiceEnvironment);

}  // namespace

// The font library keeps a cache that it never frees; the leak checker is told to ignore it.
extern "C" const char* __lsan_default_suppressions() {
    return "leak:libfontconfig.so\n";
}
