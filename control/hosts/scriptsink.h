#pragma once
// The host's event sink of one object: calls the script's handlers of each event by DISPID.
// A by-reference argument reaches a handler as {value: ...}; what the handler leaves there
// goes back to the object.

#include <QJSValue>
#include <QMap>
#include <atomic>
#include <functional>

#include "control/ovcom/unknown.h"

namespace ov::hosts {

class ScriptSink final : public ovcom::IDispatch {
public:
    using ErrorReport = std::function<void(const QJSValue& error)>;
    ScriptSink(QJSEngine& engine, ErrorReport report);

    void add(ovcom::DISPID id, const QJSValue& handler);
    void remove(ovcom::DISPID id, const QJSValue& handler);

    ovcom::HRESULT QueryInterface(const ovcom::Guid& iid, void** object) override;
    std::uint32_t AddRef() override { return ++m_refs; }
    std::uint32_t Release() override;
    ovcom::HRESULT GetTypeInfoCount(std::uint32_t* count) override;
    ovcom::HRESULT GetTypeInfo(std::uint32_t, const ovcom::TypeInfo**) override;
    ovcom::HRESULT GetIDsOfNames(const QString*, std::uint32_t, ovcom::DISPID*) override;
    ovcom::HRESULT Invoke(ovcom::DISPID id, std::uint16_t flags, ovcom::DispParams& params,
                          ovcom::Variant* result, ovcom::ExcepInfo* excep,
                          std::uint32_t* argErr) override;

private:
    ~ScriptSink() = default;
    QJSValue toScript(const ovcom::Variant& value);

    std::atomic<std::uint32_t> m_refs{1};
    QJSEngine& m_engine;
    ErrorReport m_report;
    QMultiMap<ovcom::DISPID, QJSValue> m_handlers;
};

}  // namespace ov::hosts
