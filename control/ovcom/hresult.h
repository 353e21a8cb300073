#pragma once
// Result codes of calls through interfaces: 0 and above succeed, negative values fail.

#include <cstdint>

namespace ov::ovcom {

using HRESULT = std::int32_t;
using DISPID = std::int32_t;

constexpr HRESULT makeCode(std::uint32_t code) {
    return static_cast<HRESULT>(code);
}

inline constexpr HRESULT S_OK = 0;
inline constexpr HRESULT S_FALSE = 1;
inline constexpr HRESULT E_NOTIMPL = makeCode(0x80004001);
inline constexpr HRESULT E_NOINTERFACE = makeCode(0x80004002);
inline constexpr HRESULT E_POINTER = makeCode(0x80004003);
inline constexpr HRESULT E_FAIL = makeCode(0x80004005);
inline constexpr HRESULT E_UNEXPECTED = makeCode(0x8000FFFF);
inline constexpr HRESULT E_OUTOFMEMORY = makeCode(0x8007000E);
inline constexpr HRESULT E_INVALIDARG = makeCode(0x80070057);
inline constexpr HRESULT DISP_E_UNKNOWNINTERFACE = makeCode(0x80020001);
inline constexpr HRESULT DISP_E_MEMBERNOTFOUND = makeCode(0x80020003);
inline constexpr HRESULT DISP_E_PARAMNOTFOUND = makeCode(0x80020004);
inline constexpr HRESULT DISP_E_TYPEMISMATCH = makeCode(0x80020005);
inline constexpr HRESULT DISP_E_UNKNOWNNAME = makeCode(0x80020006);
inline constexpr HRESULT DISP_E_BADVARTYPE = makeCode(0x80020008);
inline constexpr HRESULT DISP_E_EXCEPTION = makeCode(0x80020009);
inline constexpr HRESULT DISP_E_OVERFLOW = makeCode(0x8002000A);
inline constexpr HRESULT DISP_E_BADINDEX = makeCode(0x8002000B);
inline constexpr HRESULT DISP_E_BADPARAMCOUNT = makeCode(0x8002000E);
inline constexpr HRESULT TYPE_E_ELEMENTNOTFOUND = makeCode(0x8002802B);
inline constexpr HRESULT CLASS_E_NOAGGREGATION = makeCode(0x80040110);
inline constexpr HRESULT CLASS_E_CLASSNOTAVAILABLE = makeCode(0x80040111);
inline constexpr HRESULT REGDB_E_WRITEREGDB = makeCode(0x80040151);
inline constexpr HRESULT REGDB_E_CLASSNOTREG = makeCode(0x80040154);
inline constexpr HRESULT SELFREG_E_TYPELIB = makeCode(0x80040200);
inline constexpr HRESULT SELFREG_E_CLASS = makeCode(0x80040201);
inline constexpr HRESULT CONNECT_E_NOCONNECTION = makeCode(0x80040200);
inline constexpr HRESULT CONNECT_E_ADVISELIMIT = makeCode(0x80040201);
inline constexpr HRESULT CONNECT_E_CANNOTCONNECT = makeCode(0x80040202);
inline constexpr HRESULT CO_E_DLLNOTFOUND = makeCode(0x800401F8);
inline constexpr HRESULT CO_E_ERRORINDLL = makeCode(0x800401F9);

constexpr bool SUCCEEDED(HRESULT hr) {
    return hr >= 0;
}
constexpr bool FAILED(HRESULT hr) {
    return hr < 0;
}

}  // namespace ov::ovcom
