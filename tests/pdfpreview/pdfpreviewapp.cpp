#include "pdfpreviewapp.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QTimer>

#include "platform/widgets/fonts.h"
#include "testpdf.h"

namespace ov::test {

struct MessageBoxCloser::State {
    SeenMessage seen;
    QTimer timer;
};

MessageBoxCloser::MessageBoxCloser() : m_state(std::make_shared<State>()) {
    ensureApplication();
    m_state->timer.setInterval(10);
    State* state = m_state.get();
    QObject::connect(&m_state->timer, &QTimer::timeout, [state] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box) return;
        state->seen = {box->windowTitle(), box->text(), box->icon()};
        state->timer.stop();
        box->accept();
    });
    m_state->timer.start();
}

MessageBoxCloser::~MessageBoxCloser() = default;

const SeenMessage& MessageBoxCloser::seen() const {
    return m_state->seen;
}

namespace {

class FontsEnvironment : public ::testing::Environment {
public:
    void SetUp() override {
        ensureApplication();
        platform::installFontSubstitutions();
    }
};

[[maybe_unused]] auto* const environment =
    ::testing::AddGlobalTestEnvironment(new FontsEnvironment);

}  // namespace

}  // namespace ov::test
