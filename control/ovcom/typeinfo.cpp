#include "control/ovcom/typeinfo.h"

namespace ov::ovcom {

HRESULT TypeInfo::idsOfNames(const QString* names, std::uint32_t count, DISPID* ids) const {
    if (count == 0) return S_OK;
    const FuncDesc* member = nullptr;
    for (const FuncDesc& f : funcs) {
        if (f.name.compare(names[0], Qt::CaseInsensitive) == 0) {
            member = &f;
            break;
        }
    }
    ids[0] = member ? member->id : -1;
    HRESULT hr = member ? S_OK : DISP_E_UNKNOWNNAME;
    for (std::uint32_t i = 1; i < count; ++i) {
        ids[i] = -1;
        if (!member) continue;
        for (std::size_t p = 0; p < member->inputCount(); ++p)
            if (member->params[p].name.compare(names[i], Qt::CaseInsensitive) == 0)
                ids[i] = static_cast<DISPID>(p);
        if (ids[i] < 0) hr = DISP_E_UNKNOWNNAME;
    }
    return hr;
}

const FuncDesc* TypeInfo::find(DISPID id, MemberKind kind) const {
    for (const FuncDesc& f : funcs)
        if (f.id == id && f.kind == kind) return &f;
    return nullptr;
}

bool TypeInfo::hasId(DISPID id) const {
    for (const FuncDesc& f : funcs)
        if (f.id == id) return true;
    return false;
}

QString TypeInfo::nameOf(DISPID id) const {
    for (const FuncDesc& f : funcs)
        if (f.id == id) return f.name;
    return {};
}

QString TypeLibInfo::versionText() const {
    return QString::number(majorVersion) + QLatin1Char('.') + QString::number(minorVersion);
}

}  // namespace ov::ovcom
