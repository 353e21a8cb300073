#pragma once
// What the file manager's tests share: the test server with its demo content on every channel
// (plain or TLS), the settings of the logged-in demo user, an answerer of the message boxes and
// dialogs that open, and a wait that keeps the event loop running.

#include <QApplication>
#include <QDeadlineTimer>
#include <QDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <functional>
#include <memory>

#include "core/globalconfig.h"
#include "support/temphome.h"
#include "testing/docserver/commands.h"
#include "testing/docserver/demo.h"
#include "testing/docserver/filechannel.h"
#include "testing/docserver/httpside.h"

namespace ov::test {

inline bool waitUntil(const std::function<bool()>& condition, int ms = 20000) {
    const QDeadlineTimer deadline(ms);
    while (!condition()) {
        if (deadline.hasExpired()) return false;
        QApplication::processEvents(QEventLoop::AllEvents, 10);
        // Windows that closed outside an event loop are deleted here.
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    return true;
}

// Waits until a window's server requests are over (its `Busy()` is false).
template <typename Window>
bool settled(const Window& window) {
    return waitUntil([&window] { return !window.Busy(); });
}

// Answers every modal window that opens while it lives: a message box's text is recorded and
// the chosen button pressed (its only button when it lacks that one); any other dialog goes to
// `onDialog`, or is rejected.
class ModalAnswerer : public QObject {
public:
    explicit ModalAnswerer(QMessageBox::StandardButton answer = QMessageBox::Yes)
        : answer(answer) {
        connect(&m_timer, &QTimer::timeout, this, [this] { look(); });
        m_timer.start(15);
    }
    QStringList texts;
    QMessageBox::StandardButton answer;
    std::function<void(QDialog*)> onDialog;

private:
    void look() {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal || !modal->isVisible()) return;
        if (auto* box = qobject_cast<QMessageBox*>(modal)) {
            texts << box->text();
            QAbstractButton* button = box->button(answer);
            if (!button) button = box->buttons().value(0);
            if (button) button->click();
            return;
        }
        if (auto* dialog = qobject_cast<QDialog*>(modal)) {
            if (onDialog)
                onDialog(dialog);
            else
                dialog->reject();
        }
    }
    QTimer m_timer;
};

// The demo server on every channel, and the settings of the demo user logged in to it.
struct FileManagerServer {
    explicit FileManagerServer(bool tls, THS_Language language = HSL_CN)
        : server(DocServer::Options{tls}) {
        demo::LoadDemo(model);
        {
            std::lock_guard lock(model.mutex);
            demo::LoadFileManagerDemo(model);
        }
        commands.install(server);
        files.install(server);
        http = installHttpSide(server, model);
        const auto config = RenewGlobalConfig();
        config->SetServerHost(server.host());
        config->SetServerPort(server.port());
        config->SetIsSSL(tls);
        config->SetUserId(demo::DemoUser);
        config->SetUserName(QStringLiteral("演示用户"));
        config->SetEncryptUserID(demo::DemoToken());
        config->SetSysLanguage(language);
        config->SetWorkRoot(home.file(QStringLiteral("work/")));
    }
    // The server's threads end before the HTTP side they call goes away.
    ~FileManagerServer() { server.stop(); }
    template <typename F>
    auto inModel(F f) {
        std::lock_guard lock(model.mutex);
        return f(model);
    }

    TempHome home;
    DocModel model;
    DocCommands commands{model};
    DocFileChannel files{model};
    DocServer server;
    std::unique_ptr<DocHttp> http;
};

}  // namespace ov::test
