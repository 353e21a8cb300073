#pragma once
// The common part of a host's event sink: a reference-counted dispatch interface without type
// information that answers IUnknown and IDispatch. A sink only says what it does with an event
// (Invoke); it is created with one reference and deletes itself on its last Release.

#include <atomic>

#include "control/ovcom/unknown.h"

namespace ov::ovcom {

class EventSink : public IDispatch {
public:
    HRESULT QueryInterface(const Guid& iid, void** object) override;
    std::uint32_t AddRef() override { return ++m_refs; }
    std::uint32_t Release() override;
    HRESULT GetTypeInfoCount(std::uint32_t* count) override;
    HRESULT GetTypeInfo(std::uint32_t, const TypeInfo**) override;
    HRESULT GetIDsOfNames(const QString*, std::uint32_t, DISPID*) override;

protected:
    EventSink() = default;
    virtual ~EventSink() = default;

private:
    std::atomic<std::uint32_t> m_refs{1};
};

}  // namespace ov::ovcom
