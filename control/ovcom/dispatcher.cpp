#include "control/ovcom/dispatcher.h"

#include "control/ovcom/errorinfo.h"

using namespace Qt::StringLiterals;

namespace ov::ovcom {

Dispatcher::Dispatcher(const TypeInfo& info, std::vector<Thunk> thunks)
    : m_info(info), m_thunks(std::move(thunks)) {}

HRESULT Dispatcher::getIDsOfNames(const QString* names, std::uint32_t count, DISPID* ids) const {
    if (!names || !ids) return E_POINTER;
    return m_info.idsOfNames(names, count, ids);
}

const FuncDesc* Dispatcher::pick(DISPID id, std::uint16_t flags) const {
    const auto first = [&](MemberKind a, MemberKind b) {
        const FuncDesc* f = m_info.find(id, a);
        return f ? f : m_info.find(id, b);
    };
    if (flags & DISPATCH_PROPERTYPUTREF) return first(MemberKind::PutRef, MemberKind::Put);
    if (flags & DISPATCH_PROPERTYPUT) return first(MemberKind::Put, MemberKind::PutRef);
    if (flags & DISPATCH_METHOD) return first(MemberKind::Method, MemberKind::Get);
    if (flags & DISPATCH_PROPERTYGET) return m_info.find(id, MemberKind::Get);
    return nullptr;
}

HRESULT Dispatcher::invoke(void* object, DISPID id, std::uint16_t flags, DispParams& params,
                           Variant* result, ExcepInfo* excep, std::uint32_t* argErr) const {
    const FuncDesc* member = pick(id, flags);
    if (!member) return DISP_E_MEMBERNOTFOUND;
    const std::size_t index = static_cast<std::size_t>(member - m_info.funcs.data());
    const CallResult call = m_thunks.at(index)(object, params.args, result, argErr);
    if (!call.called || SUCCEEDED(call.hr)) return call.hr;
    const std::optional<ErrorInfo> info = GetErrorInfo();
    if (excep) {
        excep->scode = call.hr;
        excep->source = info ? info->source : QString();
        excep->description =
            info ? info->description : u"Error 0x"_s + QString::number(quint32(call.hr), 16);
    }
    return DISP_E_EXCEPTION;
}

}  // namespace ov::ovcom
