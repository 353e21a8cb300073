#include "control/hosts/scripthost.h"

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QEnterEvent>
#include <QLineEdit>
#include <QTest>
#include <QTextStream>
#include <QVBoxLayout>
#include <QWidget>

#include "control/hosts/prelude.h"
#include "control/hosts/scriptsink.h"
#include "control/hosts/values.h"
#include "control/ovcom/runtime.h"
#include "control/ovcom/typeinfo.h"
#include "platform/windowbus.h"

using namespace Qt::StringLiterals;

namespace ov::hosts {

using ovcom::FAILED;
using ovcom::SUCCEEDED;

namespace {

QString errorText(const QJSValue& error) {
    QString text = error.toString();
    if (error.hasProperty(u"number"_s))
        text += u" (number "_s + QString::number(error.property(u"number"_s).toInt()) + u')';
    if (error.hasProperty(u"lineNumber"_s))
        text += u" at line "_s + error.property(u"lineNumber"_s).toString();
    return text;
}

}  // namespace

ScriptHost::ScriptHost(QJSEngine& engine, QStringList args)
    : m_engine(engine), m_args(std::move(args)) {
    m_engine.globalObject().setProperty(u"__bridge"_s, m_engine.newQObject(this));
    QJSEngine::setObjectOwnership(this, QJSEngine::CppOwnership);
}

ScriptHost::~ScriptHost() {
    releaseAll();
    delete m_window;
}

bool ScriptHost::run(const QString& fileName, const QString& source) {
    const QJSValue prelude = m_engine.evaluate(ScriptPrelude(), u"prelude"_s);
    if (prelude.isError()) {
        print(u"Error in the prelude: "_s + errorText(prelude));
        return false;
    }
    const QJSValue result = m_engine.evaluate(source, fileName);
    if (result.isError()) print(u"Uncaught error: "_s + errorText(result));
    releaseAll();
    return !result.isError() && !m_handlerFailed;
}

void ScriptHost::print(const QString& text) {
    QTextStream(stdout) << text << Qt::endl;
}

QJSValue ScriptHost::failure(ovcom::HRESULT hr, const QString& description) const {
    QJSValue r = m_engine.newObject();
    r.setProperty(u"ok"_s, false);
    r.setProperty(u"number"_s, hr);
    r.setProperty(u"description"_s, description);
    return r;
}

QJSValue ScriptHost::success(const ovcom::Variant& value) {
    QJSValue r = m_engine.newObject();
    r.setProperty(u"ok"_s, true);
    ovcom::Variant number;
    switch (value.type()) {
        case ovcom::VT_EMPTY:
            break;
        case ovcom::VT_NULL:
            r.setProperty(u"value"_s, QJSValue(QJSValue::NullValue));
            break;
        case ovcom::VT_BOOL:
            r.setProperty(u"value"_s, value.boolValue());
            break;
        case ovcom::VT_BSTR:
            r.setProperty(u"value"_s, value.bstr());
            break;
        case ovcom::VT_DISPATCH:
            if (!value.dispatch()) {
                r.setProperty(u"value"_s, QJSValue(QJSValue::NullValue));
                break;
            }
            m_objects[m_nextId] = ovcom::ComPtr<ovcom::IDispatch>(value.dispatch());
            r.setProperty(u"object"_s, m_nextId++);
            break;
        default:
            if (SUCCEEDED(ovcom::changeType(number, value, ovcom::VT_R8)))
                r.setProperty(u"value"_s, number.r8());
    }
    return r;
}

ovcom::IDispatch* ScriptHost::object(int id) const {
    const auto it = m_objects.find(id);
    return it == m_objects.end() ? nullptr : it->second.get();
}

QJSValue ScriptHost::create(const QString& progId) {
    ovcom::ComPtr<ovcom::IDispatch> created;
    const ovcom::HRESULT hr = ovcom::CreateObject(progId, ovcom::IID_IDispatch, created.put());
    if (FAILED(hr)) {
        QString reason = u"Automation server can't create object"_s;
        if (!ovcom::lastLoadError().isEmpty() && hr != ovcom::REGDB_E_CLASSNOTREG)
            reason += u": "_s + ovcom::lastLoadError();
        return failure(hr, reason);
    }
    return success(ovcom::Variant(created.get()));
}

QJSValue ScriptHost::member(int id, const QString& name) {
    ovcom::IDispatch* target = object(id);
    if (!target) return failure(ovcom::E_POINTER, u"The object has been released"_s);
    ovcom::DISPID dispId = 0;
    const ovcom::HRESULT hr = target->GetIDsOfNames(&name, 1, &dispId);
    if (FAILED(hr))
        return failure(hr, u"Object doesn't support this property or method: "_s + name);
    const ovcom::TypeInfo* info = nullptr;
    bool method = false;
    if (SUCCEEDED(target->GetTypeInfo(0, &info)) && info)
        method = info->find(dispId, ovcom::MemberKind::Method) != nullptr;
    QJSValue r = m_engine.newObject();
    r.setProperty(u"ok"_s, true);
    r.setProperty(u"id"_s, dispId);
    r.setProperty(u"method"_s, method);
    return r;
}

QJSValue ScriptHost::invoke(int id, int dispId, int flags, const QJSValue& args) {
    ovcom::IDispatch* target = object(id);
    if (!target) return failure(ovcom::E_POINTER, u"The object has been released"_s);
    std::vector<ovcom::Variant> values;
    const int count = args.property(u"length"_s).toInt();
    for (int i = 0; i < count; ++i)
        values.push_back(toVariant(args.property(static_cast<quint32>(i)),
                                   [this](int object) { return this->object(object); }));
    ovcom::DispParams params{values};
    ovcom::Variant result;
    ovcom::ExcepInfo excep;
    std::uint32_t argErr = 0;
    const ovcom::ComPtr<ovcom::IDispatch> keep(target);
    const ovcom::HRESULT hr =
        target->Invoke(dispId, static_cast<std::uint16_t>(flags), params, &result, &excep, &argErr);
    if (hr == ovcom::DISP_E_EXCEPTION) return failure(excep.scode, excep.description);
    if (hr == ovcom::DISP_E_TYPEMISMATCH) return failure(hr, u"Type mismatch"_s);
    if (hr == ovcom::DISP_E_OVERFLOW) return failure(hr, u"Overflow"_s);
    if (hr == ovcom::DISP_E_BADPARAMCOUNT)
        return failure(hr, u"Wrong number of arguments or invalid property assignment"_s);
    if (FAILED(hr)) return failure(hr, u"Error 0x"_s + QString::number(quint32(hr), 16));
    return success(result);
}

ovcom::DISPID ScriptHost::eventId(int id, const QString& event, ovcom::HRESULT& hr) const {
    ovcom::ComPtr<ovcom::IDispatch> target(object(id));
    const auto classInfo = target.query<ovcom::IProvideClassInfo>(ovcom::IID_IProvideClassInfo);
    const ovcom::TypeInfo* info = nullptr;
    hr = classInfo ? classInfo->GetClassInfo(&info) : ovcom::E_NOINTERFACE;
    if (FAILED(hr) || !info || !info->defaultSource) return -1;
    ovcom::DISPID dispId = -1;
    hr = info->defaultSource->idsOfNames(&event, 1, &dispId);
    return dispId;
}

ScriptSink* ScriptHost::sinkFor(int id, ovcom::HRESULT& hr) {
    if (const auto it = m_sinks.find(id); it != m_sinks.end()) return it->second.first;
    ovcom::ComPtr<ovcom::IDispatch> target(object(id));
    const auto point = target.query<ovcom::IConnectionPoint>(ovcom::IID_IConnectionPoint);
    if (!point) return hr = ovcom::E_NOINTERFACE, nullptr;
    auto* sink = new ScriptSink(m_engine, [this](const QJSValue& error) {
        print(u"Uncaught error in an event handler: "_s + errorText(error));
        m_handlerFailed = true;
    });
    std::uint32_t cookie = 0;
    hr = point->Advise(sink, &cookie);
    if (FAILED(hr)) return sink->Release(), nullptr;
    m_sinks[id] = {sink, cookie};
    return sink;
}

QJSValue ScriptHost::attachEvent(int id, const QString& event, const QJSValue& handler) {
    if (!object(id)) return failure(ovcom::E_POINTER, u"The object has been released"_s);
    ovcom::HRESULT hr = ovcom::S_OK;
    const ovcom::DISPID dispId = eventId(id, event, hr);
    if (FAILED(hr)) return failure(hr, u"Unknown event: "_s + event);
    ScriptSink* sink = sinkFor(id, hr);
    if (!sink) return failure(hr, u"The object has no events"_s);
    sink->add(dispId, handler);
    return success(ovcom::Variant(true));
}

QJSValue ScriptHost::detachEvent(int id, const QString& event, const QJSValue& handler) {
    ovcom::HRESULT hr = ovcom::S_OK;
    const ovcom::DISPID dispId = eventId(id, event, hr);
    if (FAILED(hr)) return failure(hr, u"Unknown event: "_s + event);
    if (const auto it = m_sinks.find(id); it != m_sinks.end())
        it->second.first->remove(dispId, handler);
    return success(ovcom::Variant(true));
}

void ScriptHost::release(int id) {
    if (const auto it = m_sinks.find(id); it != m_sinks.end()) {
        ovcom::ComPtr<ovcom::IDispatch> target(object(id));
        if (auto point = target.query<ovcom::IConnectionPoint>(ovcom::IID_IConnectionPoint))
            point->Unadvise(it->second.second);
        it->second.first->Release();
        m_sinks.erase(it);
    }
    m_objects.erase(id);
}

void ScriptHost::releaseAll() {
    while (!m_sinks.empty())
        release(m_sinks.begin()->first);
    // Released in reverse order of creation: results of an object go before the object.
    while (!m_objects.empty())
        m_objects.erase(std::prev(m_objects.end()));
}

void ScriptHost::processEvents(int ms) {
    QElapsedTimer timer;
    timer.start();
    do {
        QApplication::processEvents(QEventLoop::AllEvents, 20);
    } while (timer.elapsed() < ms);
}

void ScriptHost::answerDialogs(const QString& button, const QString& shotFolder) {
    m_dialogs.answerWith(button, shotFolder);
}

QStringList ScriptHost::dialogTexts() const {
    return m_dialogs.texts();
}

QWidget* ScriptHost::widgetOf(int id) const {
    ovcom::ComPtr<ovcom::IDispatch> target(object(id));
    const auto window = target.query<ovcom::IWidgetWindow>(ovcom::IID_IWidgetWindow);
    return window ? window->Widget() : nullptr;
}

bool ScriptHost::show(int id) {
    QWidget* widget = widgetOf(id);
    if (!widget) return false;
    if (!m_window) {
        m_window = new QWidget;
        m_window->setObjectName(u"ovctrl-host"_s);
        m_window->setLayout(new QVBoxLayout);
        m_window->layout()->setContentsMargins(0, 0, 0, 0);
        m_window->resize(600, 450);
    }
    m_window->layout()->addWidget(widget);
    widget->show();
    m_window->show();
    activate(id);
    return true;
}

void ScriptHost::activate(int id) {
    if (!m_window) return;
    m_window->activateWindow();
    QApplication::setActiveWindow(m_window);
    if (QWidget* widget = widgetOf(id)) widget->setFocus();
    QApplication::processEvents();
}

int ScriptHost::addTextField(int id) {
    QWidget* widget = widgetOf(id);
    if (!widget) return -1;
    auto* field = new QLineEdit(widget);
    field->setObjectName(u"hostTextField"_s);
    field->setGeometry(10, 10, 200, 24);
    field->show();
    field->setFocus();
    m_fields.emplace_back(field);
    return static_cast<int>(m_fields.size()) - 1;
}

QString ScriptHost::fieldText(int field) const {
    if (field < 0 || field >= static_cast<int>(m_fields.size()) || !m_fields[field]) return {};
    return m_fields[static_cast<std::size_t>(field)]->text();
}

void ScriptHost::keyClicks(int id, int field, const QString& text) {
    QWidget* target = field >= 0 && field < static_cast<int>(m_fields.size())
                          ? m_fields[static_cast<std::size_t>(field)].data()
                          : widgetOf(id);
    if (target) QTest::keyClicks(target, text);
}

void ScriptHost::mouseClick(int id, int x, int y, bool dbl) {
    QWidget* widget = widgetOf(id);
    if (!widget) return;
    if (dbl)
        QTest::mouseDClick(widget, Qt::LeftButton, {}, QPoint(x, y));
    else
        QTest::mouseClick(widget, Qt::LeftButton, {}, QPoint(x, y));
}

void ScriptHost::mouseCross(int id, bool enter) {
    QWidget* widget = widgetOf(id);
    if (!widget) return;
    if (enter) {
        QEnterEvent event(QPointF(5, 5), widget->mapToGlobal(QPointF(5, 5)),
                          widget->mapToGlobal(QPointF(5, 5)));
        QApplication::sendEvent(widget, &event);
    } else {
        QEvent event(QEvent::Leave);
        QApplication::sendEvent(widget, &event);
    }
}

}  // namespace ov::hosts

namespace ov::hosts {

bool ScriptHost::windowExists(const QString& className) const {
    return static_cast<bool>(platform::findWindow(className, 500));
}

}  // namespace ov::hosts

namespace ov::hosts {

QStringList ScriptHost::forms(int id) const {
    QStringList found;
    QWidget* widget = widgetOf(id);
    if (!widget) return found;
    for (QWidget* child : widget->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (!child->isVisible()) continue;
        const bool fills = child->geometry() == widget->rect();
        found << QString::fromLatin1(child->metaObject()->className()).section(u"::"_s, -1) +
                     (fills ? u" filling"_s : QString());
    }
    return found;
}

QVariantMap ScriptHost::widget(int id, const QString& name) const {
    QWidget* widget = widgetOf(id);
    QObject* found = nullptr;
    // A shown widget before a hidden one (a form on its way out keeps its widgets a moment).
    const auto better = [&found](QObject* candidate) {
        auto* w = qobject_cast<QWidget*>(candidate);
        if (!found || (w && w->isVisible() && !qobject_cast<QWidget*>(found)->isVisible()))
            found = candidate;
    };
    if (widget) {
        for (QObject* child : widget->findChildren<QObject*>(name)) {
            if (!found) found = child;
        }
        if (!found) {
            // Widgets without their own name are found by class.
            for (QWidget* child : widget->findChildren<QWidget*>())
                if (QString::fromLatin1(child->metaObject()->className()).endsWith(name))
                    better(child);
        }
    }
    if (!found) return {};
    QVariantMap info{{u"className"_s, QString::fromLatin1(found->metaObject()->className())}};
    if (auto* w = qobject_cast<QWidget*>(found)) info[u"visible"_s] = w->isVisible();
    if (auto* a = qobject_cast<QAction*>(found)) info[u"visible"_s] = a->isVisible();
    const QVariant readOnly = found->property("readOnly");
    if (readOnly.isValid()) info[u"readOnly"_s] = readOnly;
    return info;
}

}  // namespace ov::hosts
