#include "control/hosts/ovbrowser/browserpage.h"

#include <QEventLoop>
#include <QPointer>
#include <QTimer>
#include <QWebEngineScript>
#include <QWebEngineScriptCollection>
#include <QWebEngineView>

#include "control/hosts/ovbrowser/pagescript.h"

using namespace Qt::StringLiterals;

namespace ov::ovbrowser {

BrowserPage::BrowserPage(QWebEngineProfile* profile, QWebEngineView* view, const SiteTrust& trust)
    : QWebEnginePage(profile, view), m_view(view) {
    m_bridge = std::make_unique<ControlBridge>(
        trust, [this] { return static_cast<QWidget*>(m_view); }, [this] { return zoomFactor(); },
        [this](const QString& script, bool wait) { return runScript(script, wait); });
    QWebEngineScript script;
    script.setName(u"ovctrl-bridge"_s);
    script.setSourceCode(PageScript(u"0E1DE5BF-C00E-436D-ACEB-8417B4CD46D5"_s));
    script.setInjectionPoint(QWebEngineScript::DocumentCreation);
    script.setWorldId(QWebEngineScript::MainWorld);
    script.setRunsOnSubFrames(true);
    scripts().insert(script);
    // A new document in the main frame: the old one's controls go with it.
    connect(this, &QWebEnginePage::loadStarted, m_bridge.get(), &ControlBridge::releaseAll);
}

BrowserPage::~BrowserPage() {
    m_bridge->releaseAll();
}

bool BrowserPage::javaScriptPrompt(const QUrl& securityOrigin, const QString& msg,
                                   const QString& defaultValue, QString* result) {
    if (msg != QStringView(kBridgeMark))
        return QWebEnginePage::javaScriptPrompt(securityOrigin, msg, defaultValue, result);
    *result = QString::fromUtf8(m_bridge->handle(securityOrigin, defaultValue.toUtf8()));
    return true;
}

QVariant BrowserPage::runScript(const QString& script, bool wait, int limitMs) {
    if (!wait) {
        runJavaScript(script, QWebEngineScript::MainWorld);
        return {};
    }
    QEventLoop loop;
    QPointer<QEventLoop> guard(&loop);
    auto answer = std::make_shared<QVariant>();
    runJavaScript(script, QWebEngineScript::MainWorld, [guard, answer](const QVariant& value) {
        *answer = value;
        if (guard) guard->quit();
    });
    QTimer::singleShot(limitMs, &loop, &QEventLoop::quit);
    loop.exec();
    return *answer;
}

}  // namespace ov::ovbrowser
