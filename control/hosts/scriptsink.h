#pragma once
// The host's event sink of one object: calls the script's handlers of each event by DISPID.
// A by-reference argument reaches a handler as {value: ...}; what the handler leaves there
// goes back to the object.

#include <QJSValue>
#include <QMap>
#include <functional>

#include "control/ovcom/eventsink.h"

namespace ov::hosts {

class ScriptSink final : public ovcom::EventSink {
public:
    using ErrorReport = std::function<void(const QJSValue& error)>;
    ScriptSink(QJSEngine& engine, ErrorReport report);

    void add(ovcom::DISPID id, const QJSValue& handler);
    void remove(ovcom::DISPID id, const QJSValue& handler);

    ovcom::HRESULT Invoke(ovcom::DISPID id, std::uint16_t flags, ovcom::DispParams& params,
                          ovcom::Variant* result, ovcom::ExcepInfo* excep,
                          std::uint32_t* argErr) override;

private:
    ~ScriptSink() override = default;
    QJSValue toScript(const ovcom::Variant& value);

    QJSEngine& m_engine;
    ErrorReport m_report;
    QMultiMap<ovcom::DISPID, QJSValue> m_handlers;
};

}  // namespace ov::hosts
