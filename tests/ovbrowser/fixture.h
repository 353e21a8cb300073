#pragma once
// A browser window on a page of a test server, with the control registered in a private home.

#include <gtest/gtest.h>

#include <QJsonObject>
#include <QWebEngineView>
#include <functional>
#include <memory>

#include "control/hosts/ovbrowser/browserpage.h"
#include "control/hosts/ovbrowser/browserwindow.h"
#include "support/temphome.h"
#include "testing/docserver/commands.h"
#include "testing/docserver/filechannel.h"
#include "testing/docserver/httpside.h"
#include "testing/docserver/server.h"

namespace ov::test {

// A test server with demo content (the demo PDFs too), its commands, file channel and HTTP side.
struct PageServer {
    PageServer();
    ~PageServer() { server.stop(); }  // before the HTTP side goes
    QUrl url(const QString& path) const;

    DocModel model;
    DocCommands commands{model};
    DocFileChannel files{model};
    DocServer server;
    std::unique_ptr<DocHttp> http;
};

class BrowserTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Opens the page and waits until its script has run; false after the time limit.
    bool open(const QUrl& url);
    // Runs a script in the page and waits up to `ms` for its result.
    QVariant run(const QString& script, int ms = 20000);
    // The page's `window.ovResults`.
    QJsonObject results();
    // Waits until the script yields true; false after the time limit.
    bool waitFor(const QString& script, int ms = 20000);
    // Waits until the condition holds; false after the time limit.
    bool until(const std::function<bool()>& condition, int ms = 5000);
    // The control's widgets inside the view.
    QList<QWidget*> controls() const;
    void screenshot(const QString& name);

    std::unique_ptr<TempHome> home;
    std::unique_ptr<ovbrowser::BrowserWindow> window;
};

}  // namespace ov::test
