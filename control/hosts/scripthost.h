#pragma once
// The bridge between a script and the objects it creates: an object table (id -> dispatch
// object), member lookup and calls by Invoke, event sinks, and the helpers of `host`. The
// script sees it through the prelude's `ActiveXObject` and `host` (see README.md).

#include <QJSEngine>
#include <QObject>
#include <QPointer>
#include <QStringList>
#include <map>

#include "control/hosts/dialogs.h"
#include "control/ovcom/unknown.h"

class QLineEdit;
class QWidget;

namespace ov::hosts {

class ScriptSink;

class ScriptHost : public QObject {
    Q_OBJECT
public:
    ScriptHost(QJSEngine& engine, QStringList args);
    ~ScriptHost() override;

    // Runs the prelude and the script; false (after printing the error) on an uncaught error
    // in the script or in an event handler.
    bool run(const QString& fileName, const QString& source);

    Q_INVOKABLE QStringList args() const { return m_args; }
    Q_INVOKABLE void print(const QString& text);
    Q_INVOKABLE QJSValue create(const QString& progId);
    Q_INVOKABLE QJSValue member(int object, const QString& name);
    Q_INVOKABLE QJSValue invoke(int object, int dispId, int flags, const QJSValue& args);
    Q_INVOKABLE QJSValue attachEvent(int object, const QString& event, const QJSValue& handler);
    Q_INVOKABLE QJSValue detachEvent(int object, const QString& event, const QJSValue& handler);
    Q_INVOKABLE void release(int object);
    Q_INVOKABLE void processEvents(int ms);
    Q_INVOKABLE void answerDialogs(const QString& button, const QString& shotFolder);
    Q_INVOKABLE QStringList dialogTexts() const;
    Q_INVOKABLE bool show(int object);
    Q_INVOKABLE void activate(int object);
    Q_INVOKABLE int addTextField(int object);
    Q_INVOKABLE QString fieldText(int field) const;
    Q_INVOKABLE void keyClicks(int object, int field, const QString& text);
    Q_INVOKABLE void mouseClick(int object, int x, int y, bool dbl);
    Q_INVOKABLE void mouseCross(int object, bool enter);
    Q_INVOKABLE bool windowExists(const QString& className) const;
    Q_INVOKABLE QStringList forms(int object) const;
    Q_INVOKABLE QVariantMap widget(int object, const QString& name) const;

private:
    QJSValue failure(ovcom::HRESULT hr, const QString& description) const;
    QJSValue success(const ovcom::Variant& value);
    ovcom::IDispatch* object(int id) const;
    QWidget* widgetOf(int id) const;
    ScriptSink* sinkFor(int id, ovcom::HRESULT& hr);
    ovcom::DISPID eventId(int id, const QString& event, ovcom::HRESULT& hr) const;
    void releaseAll();

    QJSEngine& m_engine;
    QStringList m_args;
    std::map<int, ovcom::ComPtr<ovcom::IDispatch>> m_objects;
    std::map<int, std::pair<ScriptSink*, std::uint32_t>> m_sinks;  // sink, cookie
    int m_nextId = 1;
    std::vector<QPointer<QLineEdit>> m_fields;
    QWidget* m_window = nullptr;
    DialogAnswerer m_dialogs;
    bool m_handlerFailed = false;
};

}  // namespace ov::hosts
