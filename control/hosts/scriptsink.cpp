#include "control/hosts/scriptsink.h"

#include <QJSEngine>

namespace ov::hosts {

using ovcom::FAILED;
using ovcom::SUCCEEDED;

ScriptSink::ScriptSink(QJSEngine& engine, ErrorReport report)
    : m_engine(engine), m_report(std::move(report)) {}

void ScriptSink::add(ovcom::DISPID id, const QJSValue& handler) {
    m_handlers.insert(id, handler);
}

void ScriptSink::remove(ovcom::DISPID id, const QJSValue& handler) {
    for (auto it = m_handlers.find(id); it != m_handlers.end() && it.key() == id;) {
        it = it.value().strictlyEquals(handler) ? m_handlers.erase(it) : std::next(it);
    }
}

QJSValue ScriptSink::toScript(const ovcom::Variant& value) {
    if (value.isByRef()) {
        QJSValue ref = m_engine.newObject();
        ref.setProperty(QStringLiteral("value"), value.i2Ref() ? *value.i2Ref() : 0);
        return ref;
    }
    ovcom::Variant text;
    if (value.type() == ovcom::VT_BSTR) return QJSValue(value.bstr());
    if (value.type() == ovcom::VT_BOOL) return QJSValue(value.boolValue());
    ovcom::Variant number;
    if (SUCCEEDED(ovcom::changeType(number, value, ovcom::VT_R8))) return QJSValue(number.r8());
    return QJSValue(QJSValue::UndefinedValue);
}

ovcom::HRESULT ScriptSink::Invoke(ovcom::DISPID id, std::uint16_t, ovcom::DispParams& params,
                                  ovcom::Variant*, ovcom::ExcepInfo*, std::uint32_t*) {
    const QList<QJSValue> handlers = m_handlers.values(id);
    for (const QJSValue& handler : handlers) {
        QJSValueList args;
        for (const ovcom::Variant& arg : params.args)
            args << toScript(arg);
        const QJSValue result = QJSValue(handler).call(args);
        if (result.isError()) m_report(result);
        for (qsizetype i = 0; i < args.size(); ++i) {
            const ovcom::Variant& arg = params.args[static_cast<std::size_t>(i)];
            if (arg.isByRef() && arg.i2Ref())
                *arg.i2Ref() =
                    static_cast<std::int16_t>(args[i].property(QStringLiteral("value")).toInt());
        }
    }
    return ovcom::S_OK;
}

}  // namespace ov::hosts
