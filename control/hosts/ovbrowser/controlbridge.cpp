#include "control/hosts/ovbrowser/controlbridge.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QWidget>
#include <cmath>

#include "control/hosts/ovbrowser/pagesink.h"
#include "control/hosts/values.h"
#include "control/ovcom/registration.h"
#include "control/ovcom/runtime.h"
#include "control/ovcom/typeinfo.h"

using namespace Qt::StringLiterals;

namespace ov::ovbrowser {

using ovcom::FAILED;
using ovcom::SUCCEEDED;

namespace {

// What a page may create: the control, by its ProgID or its CLSID.
const QString kProgId = u"OvCtrl.QuexFormX"_s;
const ovcom::Guid kClsid = *ovcom::Guid::fromString(u"{0E1DE5BF-C00E-436D-ACEB-8417B4CD46D5}"_s);
// The script engine's own codes for what a page sees when it may not have an object.
constexpr ovcom::HRESULT kCannotCreate = ovcom::makeCode(0x800A01AD);
constexpr ovcom::HRESULT kPermissionDenied = ovcom::makeCode(0x800A0046);
constexpr int kMaxArgs = 64;

QJsonObject failure(ovcom::HRESULT hr, const QString& description) {
    return {{u"ok"_s, false}, {u"number"_s, hr}, {u"description"_s, description}};
}

QJsonObject invokeFailure(ovcom::HRESULT hr, const ovcom::ExcepInfo& excep) {
    if (hr == ovcom::DISP_E_EXCEPTION) return failure(excep.scode, excep.description);
    if (hr == ovcom::DISP_E_TYPEMISMATCH) return failure(hr, u"Type mismatch"_s);
    if (hr == ovcom::DISP_E_OVERFLOW) return failure(hr, u"Overflow"_s);
    if (hr == ovcom::DISP_E_BADPARAMCOUNT)
        return failure(hr, u"Wrong number of arguments or invalid property assignment"_s);
    return failure(hr, u"Error 0x"_s + QString::number(quint32(hr), 16));
}

// A variant as the page's script sees it (objects aside).
QJsonValue scriptValue(const ovcom::Variant& value) {
    const ovcom::Variant plain = value.isByRef() ? value.dereferenced() : value;
    if (plain.type() == ovcom::VT_NULL) return QJsonValue(QJsonValue::Null);
    if (plain.type() == ovcom::VT_BOOL) return plain.boolValue();
    if (plain.type() == ovcom::VT_BSTR) return plain.bstr();
    ovcom::Variant number;
    if (plain.type() != ovcom::VT_EMPTY &&
        SUCCEEDED(ovcom::changeType(number, plain, ovcom::VT_R8)))
        return number.r8();
    return QJsonValue(QJsonValue::Undefined);
}

class Depth {
public:
    explicit Depth(int& depth) : m_depth(depth) { ++m_depth; }
    ~Depth() { --m_depth; }
    Depth(const Depth&) = delete;
    Depth& operator=(const Depth&) = delete;

private:
    int& m_depth;
};

}  // namespace

ControlBridge::ControlBridge(SiteTrust trust, Surface surface, Zoom zoom, PageRunner runner)
    : m_trust(std::move(trust)),
      m_surface(std::move(surface)),
      m_zoom(std::move(zoom)),
      m_runner(std::move(runner)) {}

ControlBridge::~ControlBridge() {
    releaseAll();
}

QByteArray ControlBridge::handle(const QUrl& origin, const QByteArray& request) {
    const Depth depth(m_depth);
    QJsonObject reply;
    QJsonParseError error{};
    const QJsonDocument document = request.size() <= kMaxRequest
                                       ? QJsonDocument::fromJson(request, &error)
                                       : QJsonDocument();
    if (!document.isObject())
        reply = failure(ovcom::E_INVALIDARG, u"The request cannot be read"_s);
    else
        reply = dispatch(origin, document.object());
    return QJsonDocument(reply).toJson(QJsonDocument::Compact);
}

QJsonObject ControlBridge::dispatch(const QUrl& origin, const QJsonObject& request) {
    const QString op = request.value(u"op"_s).toString();
    if (op == u"create"_s) return create(origin, request);
    const int id = request.value(u"id"_s).toInt();
    const auto it = m_objects.find(id);
    if (it == m_objects.end()) return failure(ovcom::E_POINTER, u"The object has been released"_s);
    if (!SiteTrust::sameOrigin(origin, it->second.origin))
        return failure(kPermissionDenied, u"Permission denied"_s);
    if (op == u"member"_s) return member(it->second, request);
    if (op == u"invoke"_s) return invoke(it->second, request);
    if (op == u"attach"_s || op == u"eventid"_s)
        return eventId(it->second, request, op == u"attach"_s);
    if (op == u"place"_s) return place(it->second, id, request);
    if (op == u"release"_s) return release(id), QJsonObject{{u"ok"_s, true}};
    return failure(ovcom::E_INVALIDARG, u"Unknown request"_s);
}

QJsonObject ControlBridge::create(const QUrl& origin, const QJsonObject& request) {
    const bool element = request.contains(u"clsid"_s);
    const bool ours =
        element ? ovcom::Guid::fromString(u'{' + request.value(u"clsid"_s).toString() + u'}') ==
                      kClsid
                : request.value(u"progId"_s).toString().compare(kProgId, Qt::CaseInsensitive) == 0;
    if (!ours || !m_trust.mayCreate(origin))
        return failure(kCannotCreate, u"Automation server can't create object"_s);
    ovcom::ComPtr<ovcom::IDispatch> created;
    const ovcom::HRESULT hr =
        ovcom::CoCreateInstance(kClsid, ovcom::IID_IDispatch, created.put());
    if (FAILED(hr)) {
        QString reason = u"Automation server can't create object"_s;
        if (!ovcom::lastLoadError().isEmpty() && hr != ovcom::REGDB_E_CLASSNOTREG)
            reason += u": "_s + ovcom::lastLoadError();
        return failure(hr, reason);
    }
    QJsonObject reply = success(ovcom::Variant(created.get()), origin);
    Entry& entry = m_objects[reply.value(u"object"_s).toInt()];
    entry.element = element && request.value(u"element"_s).toBool();
    if (QWidget* widget = entry.element ? widgetOf(reply.value(u"object"_s).toInt()) : nullptr)
        if (QWidget* surface = m_surface()) {
            widget->hide();
            widget->setParent(surface);
        }
    return reply;
}

QJsonObject ControlBridge::success(const ovcom::Variant& value, const QUrl& origin) {
    QJsonObject reply{{u"ok"_s, true}};
    if (value.type() == ovcom::VT_DISPATCH && value.dispatch()) {
        Entry& entry = m_objects[m_nextId];
        entry.object = ovcom::ComPtr<ovcom::IDispatch>(value.dispatch());
        entry.origin = origin;
        reply.insert(u"object"_s, m_nextId++);
    } else if (value.type() == ovcom::VT_DISPATCH) {
        reply.insert(u"value"_s, QJsonValue(QJsonValue::Null));
    } else if (const QJsonValue v = scriptValue(value); !v.isUndefined()) {
        reply.insert(u"value"_s, v);
    }
    return reply;
}

QJsonObject ControlBridge::member(Entry& entry, const QJsonObject& request) {
    const QString name = request.value(u"name"_s).toString();
    ovcom::DISPID dispId = 0;
    const ovcom::HRESULT hr = entry.object->GetIDsOfNames(&name, 1, &dispId);
    if (FAILED(hr))
        return failure(hr, u"Object doesn't support this property or method: "_s + name);
    const ovcom::TypeInfo* info = nullptr;
    bool method = false;
    if (SUCCEEDED(entry.object->GetTypeInfo(0, &info)) && info)
        method = info->find(dispId, ovcom::MemberKind::Method) != nullptr;
    return {{u"ok"_s, true}, {u"id"_s, dispId}, {u"method"_s, method}};
}

QJsonObject ControlBridge::invoke(Entry& entry, const QJsonObject& request) {
    const QJsonArray args = request.value(u"args"_s).toArray();
    if (args.size() > kMaxArgs) return failure(ovcom::DISP_E_BADPARAMCOUNT, u"Too many arguments"_s);
    const QUrl origin = entry.origin;  // the entry may go while the member runs
    const auto lookup = [this, &origin](int id) -> ovcom::IDispatch* {
        const auto it = m_objects.find(id);
        return it != m_objects.end() && SiteTrust::sameOrigin(it->second.origin, origin)
                   ? it->second.object.get()
                   : nullptr;
    };
    std::vector<ovcom::Variant> values;
    for (const QJsonValue& arg : args) {
        const QJSValue script = arg.toObject().contains(u"__undefined"_s)
                                    ? QJSValue()
                                    : m_values.toScriptValue(arg);
        values.push_back(hosts::toVariant(script, lookup));
    }
    ovcom::DispParams params{values};
    ovcom::Variant result;
    ovcom::ExcepInfo excep;
    std::uint32_t argErr = 0;
    const ovcom::ComPtr<ovcom::IDispatch> keep = entry.object;
    const ovcom::HRESULT hr =
        keep->Invoke(request.value(u"dispId"_s).toInt(),
                     static_cast<std::uint16_t>(request.value(u"flags"_s).toInt()), params,
                     &result, &excep, &argErr);
    if (FAILED(hr)) return invokeFailure(hr, excep);
    return success(result, origin);
}

QJsonObject ControlBridge::eventId(Entry& entry, const QJsonObject& request, bool attach) {
    const QString name = request.value(u"event"_s).toString();
    const auto classInfo = entry.object.query<ovcom::IProvideClassInfo>(ovcom::IID_IProvideClassInfo);
    const ovcom::TypeInfo* info = nullptr;
    ovcom::HRESULT hr = classInfo ? classInfo->GetClassInfo(&info) : ovcom::E_NOINTERFACE;
    ovcom::DISPID dispId = -1;
    if (SUCCEEDED(hr)) hr = info && info->defaultSource
                                ? info->defaultSource->idsOfNames(&name, 1, &dispId)
                                : ovcom::E_NOINTERFACE;
    if (FAILED(hr)) return failure(hr, u"Unknown event: "_s + name);
    if (attach && !entry.sink) {
        const auto point = entry.object.query<ovcom::IConnectionPoint>(ovcom::IID_IConnectionPoint);
        const int id = request.value(u"id"_s).toInt();
        auto* sink = new PageSink([this, id](ovcom::DISPID event, std::span<ovcom::Variant> args) {
            fire(id, event, args);
        });
        hr = point ? point->Advise(sink, &entry.cookie) : ovcom::E_NOINTERFACE;
        if (FAILED(hr)) return sink->Release(), failure(hr, u"The object has no events"_s);
        entry.sink = sink;
    }
    if (attach) entry.events.push_back(dispId);
    return {{u"ok"_s, true}, {u"dispId"_s, dispId}};
}

QJsonObject ControlBridge::place(Entry& entry, int id, const QJsonObject& request) {
    QWidget* widget = entry.element ? widgetOf(id) : nullptr;
    if (!widget) return {{u"ok"_s, true}};
    const double zoom = m_zoom();
    const auto scaled = [&](const char16_t* name) {
        const double v = request.value(QStringView(name)).toDouble() * zoom;
        return static_cast<int>(std::lround(std::clamp(v, -1e6, 1e6)));
    };
    widget->setGeometry(scaled(u"x"), scaled(u"y"), scaled(u"width"), scaled(u"height"));
    widget->setVisible(request.value(u"shown"_s).toBool());
    if (widget->isVisible()) widget->raise();
    return {{u"ok"_s, true}};
}

void ControlBridge::fire(int id, ovcom::DISPID dispId, std::span<ovcom::Variant> args) {
    const auto it = m_objects.find(id);
    if (it == m_objects.end() ||
        std::find(it->second.events.begin(), it->second.events.end(), dispId) ==
            it->second.events.end())
        return;
    QJsonArray values;
    bool byRef = false;
    for (const ovcom::Variant& arg : args) {
        values.append(scriptValue(arg).isUndefined() ? QJsonValue() : scriptValue(arg));
        byRef = byRef || (arg.isByRef() && arg.i2Ref());
    }
    const QString script = u"window.__ovctrlFire(%1, %2, %3)"_s.arg(id).arg(dispId).arg(
        QString::fromUtf8(QJsonDocument(values).toJson(QJsonDocument::Compact)));
    // Only an event that takes a value back waits for the page, and only when the page is
    // free to run it.
    if (!byRef || busy()) {
        m_runner(script, false);
        return;
    }
    const Depth depth(m_depth);
    const QVariant result = m_runner(script, true);
    bool number = false;
    const double value = result.toDouble(&number);
    if (!number || !std::isfinite(value)) return;
    for (const ovcom::Variant& arg : args)
        if (arg.isByRef() && arg.i2Ref()) {
            *arg.i2Ref() = static_cast<std::int16_t>(std::clamp(value, -32768.0, 32767.0));
            break;
        }
}

QWidget* ControlBridge::widgetOf(int id) const {
    const auto it = m_objects.find(id);
    if (it == m_objects.end()) return nullptr;
    const auto window = it->second.object.query<ovcom::IWidgetWindow>(ovcom::IID_IWidgetWindow);
    return window ? window->Widget() : nullptr;
}

void ControlBridge::release(int id) {
    const auto it = m_objects.find(id);
    if (it == m_objects.end()) return;
    Entry entry = std::move(it->second);
    m_objects.erase(it);
    if (entry.sink) {
        entry.sink->disconnect();
        if (auto point = entry.object.query<ovcom::IConnectionPoint>(ovcom::IID_IConnectionPoint))
            point->Unadvise(entry.cookie);
        entry.sink->Release();
    }
    if (entry.element)
        if (auto window = entry.object.query<ovcom::IWidgetWindow>(ovcom::IID_IWidgetWindow)) {
            window->Widget()->hide();
            window->Widget()->setParent(nullptr);
        }
}

void ControlBridge::releaseAll() {
    // In reverse order of creation: results of an object go before the object.
    while (!m_objects.empty())
        release(std::prev(m_objects.end())->first);
}

}  // namespace ov::ovbrowser
