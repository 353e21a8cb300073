#include "control/ovcom/eventsink.h"

namespace ov::ovcom {

HRESULT EventSink::QueryInterface(const Guid& iid, void** object) {
    if (!object) return E_POINTER;
    *object = nullptr;
    // A sink answers any dispatch interface: it serves whatever events it is given.
    if (iid != IID_IUnknown && iid != IID_IDispatch) return E_NOINTERFACE;
    *object = static_cast<IDispatch*>(this);
    AddRef();
    return S_OK;
}

std::uint32_t EventSink::Release() {
    const std::uint32_t left = --m_refs;
    if (left == 0) delete this;
    return left;
}

HRESULT EventSink::GetTypeInfoCount(std::uint32_t* count) {
    if (count) *count = 0;
    return S_OK;
}

HRESULT EventSink::GetTypeInfo(std::uint32_t, const TypeInfo**) {
    return DISP_E_BADINDEX;
}

HRESULT EventSink::GetIDsOfNames(const QString*, std::uint32_t, DISPID*) {
    return DISP_E_UNKNOWNNAME;
}

}  // namespace ov::ovcom
