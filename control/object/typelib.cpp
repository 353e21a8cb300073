#include "control/object/typelib.h"

#include "control/object/iquexformx.h"

using namespace Qt::StringLiterals;

namespace ov::control {

namespace {

using ovcom::MemberKind;
using ovcom::TypeInfo;
using ovcom::TypeKind;

#define OV_FUNC_DESC(pos, id, kind, name, state, vis, ...) \
    ovcom::FuncDesc{id,                                    \
                    QStringLiteral(#name),                 \
                    MemberKind::kind,                      \
                    {OVCOM_PARAM_DESCS(__VA_ARGS__)},      \
                    OVCOM_HIDDEN_##vis,                    \
                    pos},
#define OV_EVENT_DESC(id, name, ...)                  \
    ovcom::FuncDesc{id,                               \
                    QStringLiteral(#name),            \
                    MemberKind::Method,               \
                    {OVCOM_PARAM_DESCS(__VA_ARGS__)}, \
                    false,                            \
                    0},
#define OV_THUNK(pos, id, kind, name, state, vis, ...)                                     \
    [](void* object, std::span<ovcom::Variant> args, ovcom::Variant* result,               \
       std::uint32_t* argErr) {                                                            \
        return ovcom::callSlot(static_cast<IQuexFormX*>(object),                           \
                               &IQuexFormX::OVCOM_SLOT(kind, name), args, result, argErr); \
    },

TypeInfo makeInterface() {
    TypeInfo t;
    t.guid = IID_IQuexFormX;
    t.name = u"IQuexFormX"_s;
    t.helpString = u"Dispatch interface for QuexFormX Control"_s;
    t.kind = TypeKind::Interface;
    t.flags =
        ovcom::TYPEFLAG_FDUAL | ovcom::TYPEFLAG_FOLEAUTOMATION | ovcom::TYPEFLAG_FDISPATCHABLE;
    t.funcs = {OV_QUEXFORMX_MEMBERS(OV_FUNC_DESC)};
    return t;
}

TypeInfo makeEvents() {
    TypeInfo t;
    t.guid = DIID_IQuexFormXEvents;
    t.name = u"IQuexFormXEvents"_s;
    t.helpString = u"Events interface for QuexFormX Control"_s;
    t.kind = TypeKind::Dispatch;
    t.flags = ovcom::TYPEFLAG_FDISPATCHABLE;
    t.funcs = {OV_QUEXFORMX_EVENTS(OV_EVENT_DESC)};
    return t;
}

TypeInfo makeEnum(const char* guid, const QString& name,
                  std::initializer_list<ovcom::ConstDesc> constants) {
    TypeInfo t;
    t.guid = *ovcom::Guid::fromString(QLatin1StringView(guid));
    t.name = name;
    t.kind = TypeKind::Enum;
    t.constants = constants;
    return t;
}

const TypeInfo& borderStyleInfo() {
    static const TypeInfo t = makeEnum(
        "70B907B0-4966-4CFD-B459-AB710E7E0FBD", u"TxActiveFormBorderStyle"_s,
        {{u"afbNone"_s, 0}, {u"afbSingle"_s, 1}, {u"afbSunken"_s, 2}, {u"afbRaised"_s, 3}});
    return t;
}

const TypeInfo& printScaleInfo() {
    static const TypeInfo t =
        makeEnum("2FA84AC6-18B5-4F0B-9B56-DC8C67D4CDB0", u"TxPrintScale"_s,
                 {{u"poNone"_s, 0}, {u"poProportional"_s, 1}, {u"poPrintToFit"_s, 2}});
    return t;
}

const TypeInfo& mouseButtonInfo() {
    static const TypeInfo t = makeEnum("CFAAEB0C-5AAB-4D37-A049-C9061509E3D2", u"TxMouseButton"_s,
                                       {{u"mbLeft"_s, 0}, {u"mbRight"_s, 1}, {u"mbMiddle"_s, 2}});
    return t;
}

const TypeInfo& popupModeInfo() {
    static const TypeInfo t = makeEnum("F0F9A11C-2372-4C4F-85F3-140DCA28C201", u"TxPopupMode"_s,
                                       {{u"pmNone"_s, 0}, {u"pmAuto"_s, 1}, {u"pmExplicit"_s, 2}});
    return t;
}

}  // namespace

const TypeInfo& QuexFormXInterfaceInfo() {
    static const TypeInfo t = makeInterface();
    return t;
}

const TypeInfo& QuexFormXEventsInfo() {
    static const TypeInfo t = makeEvents();
    return t;
}

const TypeInfo& QuexFormXClassInfo() {
    static const TypeInfo t = [] {
        TypeInfo c;
        c.guid = CLSID_QuexFormX;
        c.name = u"QuexFormX"_s;
        c.helpString = u"QuexFormX Control"_s;
        c.kind = TypeKind::CoClass;
        c.flags = ovcom::TYPEFLAG_FCANCREATE | ovcom::TYPEFLAG_FCONTROL;
        c.defaultInterface = &QuexFormXInterfaceInfo();
        c.defaultSource = &QuexFormXEventsInfo();
        return c;
    }();
    return t;
}

const ovcom::TypeLibInfo& OvCtrlTypeLib() {
    static const ovcom::TypeLibInfo lib = [] {
        ovcom::TypeLibInfo l;
        l.libid = LIBID_OvCtrl;
        l.name = u"OvCtrl"_s;
        l.helpString = u"OvCtrl Library"_s;
        l.majorVersion = 2;
        l.minorVersion = 7;
        l.flags = ovcom::LIBFLAG_FCONTROL;
        l.types = {&QuexFormXInterfaceInfo(), &QuexFormXEventsInfo(), &QuexFormXClassInfo(),
                   &borderStyleInfo(),        &printScaleInfo(),      &mouseButtonInfo(),
                   &popupModeInfo()};
        return l;
    }();
    return lib;
}

const ovcom::Dispatcher& QuexFormXDispatcher() {
    static const ovcom::Dispatcher dispatcher(QuexFormXInterfaceInfo(),
                                              {OV_QUEXFORMX_MEMBERS(OV_THUNK)});
    return dispatcher;
}

}  // namespace ov::control
