#include "control/hosts/ovbrowser/pagesink.h"

namespace ov::ovbrowser {

ovcom::HRESULT PageSink::QueryInterface(const ovcom::Guid& iid, void** object) {
    if (!object) return ovcom::E_POINTER;
    *object = nullptr;
    if (iid != ovcom::IID_IUnknown && iid != ovcom::IID_IDispatch) return ovcom::E_NOINTERFACE;
    *object = static_cast<ovcom::IDispatch*>(this);
    AddRef();
    return ovcom::S_OK;
}

std::uint32_t PageSink::Release() {
    const std::uint32_t left = --m_refs;
    if (left == 0) delete this;
    return left;
}

ovcom::HRESULT PageSink::GetTypeInfoCount(std::uint32_t* count) {
    if (count) *count = 0;
    return ovcom::S_OK;
}

ovcom::HRESULT PageSink::GetTypeInfo(std::uint32_t, const ovcom::TypeInfo**) {
    return ovcom::DISP_E_BADINDEX;
}

ovcom::HRESULT PageSink::GetIDsOfNames(const QString*, std::uint32_t, ovcom::DISPID*) {
    return ovcom::DISP_E_UNKNOWNNAME;
}

ovcom::HRESULT PageSink::Invoke(ovcom::DISPID id, std::uint16_t, ovcom::DispParams& params,
                                ovcom::Variant*, ovcom::ExcepInfo*, std::uint32_t*) {
    if (m_forward) {
        const Forward forward = m_forward;  // the call may disconnect us
        forward(id, params.args);
    }
    return ovcom::S_OK;
}

}  // namespace ov::ovbrowser
