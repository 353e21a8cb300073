#pragma once
// A dispatcher on a plain main window, in a private home with settings of its own, and what a
// test reads back from it: the hint window's text and the clipboard.

#include <gtest/gtest.h>
#include <QApplication>
#include <QClipboard>
#include <QDeadlineTimer>
#include <QWidget>
#include <memory>

#include "client/webcommands/webcmd.h"
#include "client/webcommands/webmodule.h"
#include "core/globalconfig.h"
#include "documents/preview/previewhint.h"
#include "platform/adapters.h"
#include "support/temphome.h"

namespace ov::test {

inline QApplication& app() {
    static int argc = 1;
    static char name[] = "test_dispatch";
    static char* argv[] = {name, nullptr};
    static auto* application = new QApplication(argc, argv);
    return *application;
}

inline void processEventsFor(int ms) {
    const QDeadlineTimer deadline(ms);
    do {
        app().processEvents(QEventLoop::AllEvents, 10);
    } while (!deadline.hasExpired());
}

// Runs the event loop until the condition holds (true) or a generous deadline passes (false):
// a loaded machine may take long, a working one returns as soon as it happened.
template <typename Condition>
bool processEventsUntil(Condition done, int ms = 20000) {
    const QDeadlineTimer deadline(ms);
    while (!done() && !deadline.hasExpired())
        app().processEvents(QEventLoop::AllEvents, 10);
    return done();
}

class DispatchTest : public ::testing::Test {
protected:
    void SetUp() override {
        app();
        platform::setAdapterSource([] {
            return std::optional<platform::AdapterList>(
                {{QByteArray("\x00\x1A\x2B\x3C\x4D\x5E", 6), {QStringLiteral("10.0.0.2")}}});
        });
        auto config = RenewGlobalConfig();
        config->SetSysLanguage(HSL_ENG);
        config->Save();
        RenewGlobalConfig();
        WebCommand().Clear();
        QGuiApplication::clipboard()->clear();
        mainFrm = std::make_unique<QWidget>();
        module = new TWebModule(mainFrm.get());
    }
    void TearDown() override {
        mainFrm.reset();
        WebCommand().Clear();
        FreeGlobalConfig();
        platform::setAdapterSource({});
    }

    // The text the hint window shows; "" while it is hidden.
    QString hint() const {
        const TPreViewHint* frm = module->HintOfPreviewFrm();
        return frm->isVisible() ? frm->HintText() : QString();
    }
    void hideHint() { module->HintOfPreviewFrm()->hide(); }
    static QString clipboard() { return QGuiApplication::clipboard()->text(); }

    TempHome home;
    std::unique_ptr<QWidget> mainFrm;
    TWebModule* module = nullptr;  // owned by mainFrm
};

}  // namespace ov::test
