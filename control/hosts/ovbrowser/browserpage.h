#pragma once
// A page of the browser: gets the page script in every document and frame, answers the
// bridge's marked prompts through its ControlBridge (other prompts are shown as usual), and
// releases the page's controls when its document goes.

#include <QWebEnginePage>
#include <memory>

#include "control/hosts/ovbrowser/controlbridge.h"

class QWebEngineView;

namespace ov::ovbrowser {

class BrowserPage : public QWebEnginePage {
    Q_OBJECT
public:
    BrowserPage(QWebEngineProfile* profile, QWebEngineView* view, const SiteTrust& trust);
    ~BrowserPage() override;

    ControlBridge& bridge() { return *m_bridge; }

    // Runs a script in the page's main world; with `wait`, for at most `limitMs` and with
    // events processed meanwhile, returning its result.
    QVariant runScript(const QString& script, bool wait, int limitMs = 5000);

protected:
    bool javaScriptPrompt(const QUrl& securityOrigin, const QString& msg,
                          const QString& defaultValue, QString* result) override;

private:
    QWebEngineView* m_view;
    std::unique_ptr<ControlBridge> m_bridge;
};

}  // namespace ov::ovbrowser
