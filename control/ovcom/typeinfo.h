#pragma once
// Type information: what a type library says of its interfaces, classes and enumerations.
// Built once per library (usually from a member table) and never changed afterwards.

#include <QString>
#include <cstdint>
#include <vector>

#include "control/ovcom/guid.h"
#include "control/ovcom/hresult.h"
#include "control/ovcom/variant.h"

namespace ov::ovcom {

enum class TypeKind : std::uint8_t { Enum, Interface, Dispatch, CoClass };

// Type flags (as type libraries write them).
enum TypeFlags : std::uint16_t {
    TYPEFLAG_FCANCREATE = 0x2,
    TYPEFLAG_FHIDDEN = 0x10,
    TYPEFLAG_FCONTROL = 0x20,
    TYPEFLAG_FDUAL = 0x40,
    TYPEFLAG_FOLEAUTOMATION = 0x100,
    TYPEFLAG_FDISPATCHABLE = 0x1000,
};

enum class MemberKind : std::uint8_t { Method, Get, Put, PutRef };

struct ParamDesc {
    QString name;
    VarType type = VT_EMPTY;  // VT_BYREF combined for by-reference parameters
    QString userType;         // the named type (an enumeration, "OLE_COLOR", "Font"), else ""
    bool retval = false;      // the output that scripts see as the member's result
};

struct FuncDesc {
    DISPID id = 0;
    QString name;
    MemberKind kind = MemberKind::Method;
    std::vector<ParamDesc> params;  // the inputs, then the result (when any)
    bool hidden = false;
    int position = 0;  // in the virtual table after IDispatch's methods, counted from 1

    bool hasResult() const { return !params.empty() && params.back().retval; }
    std::size_t inputCount() const { return params.size() - (hasResult() ? 1 : 0); }
};

struct ConstDesc {
    QString name;
    std::int32_t value = 0;
};

struct TypeInfo {
    Guid guid;
    QString name;
    QString helpString;
    TypeKind kind = TypeKind::Interface;
    std::uint16_t flags = 0;
    std::uint16_t majorVersion = 1;
    std::uint16_t minorVersion = 0;
    std::vector<FuncDesc> funcs;                 // interfaces
    std::vector<ConstDesc> constants;            // enumerations
    const TypeInfo* defaultInterface = nullptr;  // component classes
    const TypeInfo* defaultSource = nullptr;

    // Member name (first) and parameter names (their index) without regard to case;
    // DISP_E_UNKNOWNNAME when any is unknown (its id is then -1).
    HRESULT idsOfNames(const QString* names, std::uint32_t count, DISPID* ids) const;
    // The first member with the id and kind; null when none.
    const FuncDesc* find(DISPID id, MemberKind kind) const;
    // Whether any member has the id.
    bool hasId(DISPID id) const;
    // The name of the first member with the id; "" when none.
    QString nameOf(DISPID id) const;
};

// Library flags.
enum LibFlags : std::uint16_t { LIBFLAG_FCONTROL = 0x2 };

struct TypeLibInfo {
    Guid libid;
    QString name;
    QString helpString;
    std::uint16_t majorVersion = 1;
    std::uint16_t minorVersion = 0;
    std::uint32_t locale = 0;
    std::uint16_t flags = 0;
    std::vector<const TypeInfo*> types;  // in the library's order

    QString versionText() const;  // "major.minor"
};

}  // namespace ov::ovcom
