// One QApplication for the tests, set up as Qt WebEngine needs it (shared OpenGL contexts).
#include <gtest/gtest.h>

#include <QApplication>
#include <memory>

namespace {

class WebAppEnvironment : public ::testing::Environment {
public:
    void SetUp() override {
        QApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
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
    ::testing::AddGlobalTestEnvironment(new WebAppEnvironment);

}  // namespace
