#pragma once
// Typed calls from variants: what turns a dispatch call into a call of a virtual-table slot,
// and the macros with which a member table (one definition) becomes the interface, its
// implementation stubs, its type information and its dispatch table.
//
// A member table lists entries X(position, dispid, kind, name, state, visibility, params...)
// with kind Get, Put, PutRef or Method; state Done (the table's own use: its implementation
// exists); visibility Shown or Hidden; and params as (I, Type, Name) for inputs and
// (R, Type, Name) for the result, always last. Types are Bstr, Long, Char, Short, Float,
// Bool, Color, Font and the enumerations a table adds (OVCOM_TYPE_<Type> and
// OVCOM_USERTYPE_<Type> name their C++ type and their type-library name).

#include <QString>
#include <cstdint>
#include <span>
#include <tuple>
#include <type_traits>
#include <utility>

#include "control/ovcom/typeinfo.h"
#include "control/ovcom/unknown.h"
#include "control/ovcom/variant.h"

namespace ov::ovcom {

// The value kinds of parameters and results.
template <class V>
struct Kind;

template <class V>
struct ScalarKind {
    using Store = V;
    static V from(const Variant& v);
    static Variant to(V value) { return Variant(value); }
};
template <>
inline std::int8_t ScalarKind<std::int8_t>::from(const Variant& v) {
    return v.i1();
}
template <>
inline std::int16_t ScalarKind<std::int16_t>::from(const Variant& v) {
    return v.i2();
}
template <>
inline std::int32_t ScalarKind<std::int32_t>::from(const Variant& v) {
    return v.i4();
}
template <>
inline float ScalarKind<float>::from(const Variant& v) {
    return v.r4();
}

template <>
struct Kind<std::int8_t> : ScalarKind<std::int8_t> {
    static constexpr VarType vt = VT_I1;
};
template <>
struct Kind<std::int16_t> : ScalarKind<std::int16_t> {
    static constexpr VarType vt = VT_I2;
};
template <>
struct Kind<std::int32_t> : ScalarKind<std::int32_t> {
    static constexpr VarType vt = VT_I4;
};
template <>
struct Kind<float> : ScalarKind<float> {
    static constexpr VarType vt = VT_R4;
};

template <>
struct Kind<QString> {
    static constexpr VarType vt = VT_BSTR;
    using Store = QString;
    static QString from(const Variant& v) { return v.bstr(); }
    static Variant to(const QString& value) { return Variant(value); }
};

template <>
struct Kind<VARIANT_BOOL> {
    static constexpr VarType vt = VT_BOOL;
    using Store = VARIANT_BOOL;
    static VARIANT_BOOL from(const Variant& v) { return toVariantBool(v.boolValue()); }
    static Variant to(VARIANT_BOOL value) { return Variant(value != VARIANT_FALSE); }
};

template <>
struct Kind<OLE_COLOR> {
    static constexpr VarType vt = VT_UI4;
    using Store = OLE_COLOR;
    static OLE_COLOR from(const Variant& v) { return static_cast<OLE_COLOR>(v.ui4()); }
    static Variant to(OLE_COLOR value) { return Variant(static_cast<std::uint32_t>(value)); }
};

template <>
struct Kind<IDispatch*> {
    static constexpr VarType vt = VT_DISPATCH;
    using Store = ComPtr<IDispatch>;
    static ComPtr<IDispatch> from(const Variant& v) { return ComPtr<IDispatch>(v.dispatch()); }
    // Results arrive with a reference that the variant takes over.
    static Variant to(IDispatch* value) { return Variant::attach(value); }
};

// Enumerations of a type library travel as 32-bit integers.
template <class E>
requires std::is_enum_v<E> && std::is_same_v<std::underlying_type_t<E>, std::int32_t>
struct Kind<E> {
    static constexpr VarType vt = VT_I4;
    using Store = E;
    static E from(const Variant& v) { return static_cast<E>(v.i4()); }
    static Variant to(E value) { return Variant(static_cast<std::int32_t>(value)); }
};

template <class V>
concept ValueKind = requires {
    Kind<V>::vt;
};

// How an input is passed to a slot: texts by reference, everything else by value.
template <class V>
using In = std::conditional_t<std::is_same_v<V, QString>, const QString&, V>;

// What the implementation of a member returns for its result.
template <class V>
struct ImplType {
    using type = V;
};
template <>
struct ImplType<IDispatch*> {
    using type = ComPtr<IDispatch>;
};
template <class... V>
struct ImplResultOf;
template <>
struct ImplResultOf<void> {
    using type = void;
};
template <class V>
struct ImplResultOf<void, V> {
    using type = typename ImplType<V>::type;
};
template <class... V>
using ImplResult = typename ImplResultOf<V...>::type;

// Stores an implementation's result in a slot's output (null outputs raise E_POINTER).
void checkOut(const void* out);
template <class V>
void storeOut(V* out, V value) {
    checkOut(out);
    *out = std::move(value);
}
inline void storeOut(IDispatch** out, ComPtr<IDispatch> value) {
    checkOut(out);
    *out = value.detach();
}

// One parameter of a slot: an input loaded from a variant, or the output.
template <class P>
struct SlotParam {
    static constexpr bool out = false;
    using V = std::remove_cvref_t<P>;
    using Store = typename Kind<V>::Store;
    static HRESULT load(Store& store, std::span<Variant> args, std::size_t index) {
        Variant converted;
        const HRESULT hr = changeType(converted, args[index], Kind<V>::vt);
        if (SUCCEEDED(hr)) store = Kind<V>::from(converted);
        return hr;
    }
    static P pass(Store& store) {
        if constexpr (std::is_same_v<V, IDispatch*>)
            return store.get();
        else
            return store;
    }
    static void result(Store&, Variant&) {}
};

template <ValueKind V>
struct SlotParam<V*> {
    static constexpr bool out = true;
    using Store = V;
    static HRESULT load(Store&, std::span<Variant>, std::size_t) { return S_OK; }
    static V* pass(Store& store) { return &store; }
    static void result(Store& store, Variant& result) { result = Kind<V>::to(store); }
};

struct CallResult {
    HRESULT hr = S_OK;
    bool called = false;  // false: an argument was refused before the call
};

template <class I, class... P, std::size_t... N>
CallResult callSlotWith(I* object, HRESULT (I::*slot)(P...), std::span<Variant> args,
                        Variant* result, std::uint32_t* argErr, std::index_sequence<N...>) {
    constexpr std::size_t inputs = (std::size_t{0} + ... + (SlotParam<P>::out ? 0 : 1));
    if (args.size() != inputs) return {DISP_E_BADPARAMCOUNT, false};
    std::tuple<typename SlotParam<P>::Store...> stores{};
    HRESULT hr = S_OK;
    [[maybe_unused]] auto load = [&](auto& store, auto param, std::size_t index) {
        if (FAILED(hr)) return;
        hr = decltype(param)::type::load(store, args, index);
        if (FAILED(hr) && argErr) *argErr = static_cast<std::uint32_t>(index);
    };
    (load(std::get<N>(stores), std::type_identity<SlotParam<P>>{}, N), ...);
    if (FAILED(hr)) return {hr, false};
    hr = (object->*slot)(SlotParam<P>::pass(std::get<N>(stores))...);
    Variant value;
    if (SUCCEEDED(hr)) (SlotParam<P>::result(std::get<N>(stores), value), ...);
    if (result) *result = std::move(value);
    return {hr, true};
}

// Calls the slot with the arguments converted to its parameter kinds (inputs first, in order;
// the output, when the slot has one, becomes `result`).
template <class I, class... P>
CallResult callSlot(I* object, HRESULT (I::*slot)(P...), std::span<Variant> args, Variant* result,
                    std::uint32_t* argErr) {
    return callSlotWith(object, slot, args, result, argErr, std::index_sequence_for<P...>{});
}

}  // namespace ov::ovcom

// ---- Macros over member tables -------------------------------------------------------------

#define OVCOM_CAT(a, b) OVCOM_CAT_(a, b)
#define OVCOM_CAT_(a, b) a##b
#define OVCOM_COMMA() ,
#define OVCOM_NOTHING()
#define OVCOM_COUNT(...) OVCOM_COUNT_(__VA_OPT__(__VA_ARGS__, ) 6, 5, 4, 3, 2, 1, 0)
#define OVCOM_COUNT_(_1, _2, _3, _4, _5, _6, n, ...) n
// m applied to each parenthesised parameter, `sep()` between them.
#define OVCOM_FOR_EACH(m, sep, ...) \
    OVCOM_CAT(OVCOM_FE_, OVCOM_COUNT(__VA_ARGS__))(m, sep __VA_OPT__(, ) __VA_ARGS__)
#define OVCOM_FE_0(m, sep)
#define OVCOM_FE_1(m, sep, a) m a
#define OVCOM_FE_2(m, sep, a, ...) m a sep() OVCOM_FE_1(m, sep, __VA_ARGS__)
#define OVCOM_FE_3(m, sep, a, ...) m a sep() OVCOM_FE_2(m, sep, __VA_ARGS__)
#define OVCOM_FE_4(m, sep, a, ...) m a sep() OVCOM_FE_3(m, sep, __VA_ARGS__)
#define OVCOM_FE_5(m, sep, a, ...) m a sep() OVCOM_FE_4(m, sep, __VA_ARGS__)
#define OVCOM_FE_6(m, sep, a, ...) m a sep() OVCOM_FE_5(m, sep, __VA_ARGS__)

// The C++ types and type-library names of the parameter types.
#define OVCOM_TYPE_Bstr QString
#define OVCOM_TYPE_Long std::int32_t
#define OVCOM_TYPE_Char std::int8_t
#define OVCOM_TYPE_Short std::int16_t
#define OVCOM_TYPE_Float float
#define OVCOM_TYPE_Bool ::ov::ovcom::VARIANT_BOOL
#define OVCOM_TYPE_Color ::ov::ovcom::OLE_COLOR
#define OVCOM_TYPE_Font ::ov::ovcom::IDispatch*
#define OVCOM_USERTYPE_Bstr QString()
#define OVCOM_USERTYPE_Long QString()
#define OVCOM_USERTYPE_Char QString()
#define OVCOM_USERTYPE_Short QString()
#define OVCOM_USERTYPE_Float QString()
#define OVCOM_USERTYPE_Bool QString()
#define OVCOM_USERTYPE_Color QStringLiteral("OLE_COLOR")
#define OVCOM_USERTYPE_Font QStringLiteral("Font")

// Slot names: get_X, put_X, putref_X, or the method's name.
#define OVCOM_SLOT(kind, name) OVCOM_SLOT_##kind(name)
#define OVCOM_SLOT_Get(name) get_##name
#define OVCOM_SLOT_Put(name) put_##name
#define OVCOM_SLOT_PutRef(name) putref_##name
#define OVCOM_SLOT_Method(name) name

// The parameter list of a slot, with and without names.
#define OVCOM_SIGNATURE(...) OVCOM_FOR_EACH(OVCOM_SIGPARAM, OVCOM_COMMA, __VA_ARGS__)
#define OVCOM_SIGPARAM(dir, t, n) OVCOM_SIGPARAM_##dir(t, n)
#define OVCOM_SIGPARAM_I(t, n) ::ov::ovcom::In<OVCOM_TYPE_##t> n
#define OVCOM_SIGPARAM_R(t, n) OVCOM_TYPE_##t* n
#define OVCOM_UNNAMED(...) OVCOM_FOR_EACH(OVCOM_UNNAMED_P, OVCOM_COMMA, __VA_ARGS__)
#define OVCOM_UNNAMED_P(dir, t, n) OVCOM_UNNAMED_##dir(t)
#define OVCOM_UNNAMED_I(t) ::ov::ovcom::In<OVCOM_TYPE_##t>
#define OVCOM_UNNAMED_R(t) OVCOM_TYPE_##t*

// The implementation function of a member: its result type and its parameters after `self`.
#define OVCOM_IMPL_RESULT(...) \
    ::ov::ovcom::ImplResult<void OVCOM_FOR_EACH(OVCOM_IMPL_RT, OVCOM_NOTHING, __VA_ARGS__)>
#define OVCOM_IMPL_RT(dir, t, n) OVCOM_IMPL_RT_##dir(t)
#define OVCOM_IMPL_RT_I(t)
#define OVCOM_IMPL_RT_R(t) , OVCOM_TYPE_##t
#define OVCOM_IMPL_PARAMS(...) OVCOM_FOR_EACH(OVCOM_IMPL_P, OVCOM_NOTHING, __VA_ARGS__)
#define OVCOM_IMPL_P(dir, t, n) OVCOM_IMPL_P_##dir(t, n)
#define OVCOM_IMPL_P_I(t, n) , ::ov::ovcom::In<OVCOM_TYPE_##t> n
#define OVCOM_IMPL_P_R(t, n)

// A call of the implementation `fn(self, inputs...)` whose result goes to the slot's output.
#define OVCOM_IMPL_CALL(fn, self, ...)                                  \
    OVCOM_FOR_EACH(OVCOM_CALL_PRE, OVCOM_NOTHING, __VA_ARGS__)          \
    fn(self OVCOM_FOR_EACH(OVCOM_CALL_ARG, OVCOM_NOTHING, __VA_ARGS__)) \
        OVCOM_FOR_EACH(OVCOM_CALL_POST, OVCOM_NOTHING, __VA_ARGS__)
#define OVCOM_CALL_PRE(dir, t, n) OVCOM_CALL_PRE_##dir(n)
#define OVCOM_CALL_PRE_I(n)
#define OVCOM_CALL_PRE_R(n) ::ov::ovcom::storeOut(n,
#define OVCOM_CALL_ARG(dir, t, n) OVCOM_CALL_ARG_##dir(n)
#define OVCOM_CALL_ARG_I(n) , n
#define OVCOM_CALL_ARG_R(n)
#define OVCOM_CALL_POST(dir, t, n) OVCOM_CALL_POST_##dir()
#define OVCOM_CALL_POST_I()
#define OVCOM_CALL_POST_R() )

// The parameter descriptions of the type information.
#define OVCOM_PARAM_DESCS(...) OVCOM_FOR_EACH(OVCOM_PDESC, OVCOM_COMMA, __VA_ARGS__)
#define OVCOM_PDESC(dir, t, n) OVCOM_PDESC_##dir(t, n)
#define OVCOM_PDESC_I(t, n) \
    { QStringLiteral(#n), ::ov::ovcom::Kind<OVCOM_TYPE_##t>::vt, OVCOM_USERTYPE_##t, false }
#define OVCOM_PDESC_R(t, n) \
    { QStringLiteral(#n), ::ov::ovcom::Kind<OVCOM_TYPE_##t>::vt, OVCOM_USERTYPE_##t, true }
#define OVCOM_PDESC_B(t, n)                                                           \
    {                                                                                 \
        QStringLiteral(#n),                                                           \
            static_cast<::ov::ovcom::VarType>(::ov::ovcom::Kind<OVCOM_TYPE_##t>::vt | \
                                              ::ov::ovcom::VT_BYREF),                 \
            OVCOM_USERTYPE_##t, false                                                 \
    }
#define OVCOM_HIDDEN_Shown false
#define OVCOM_HIDDEN_Hidden true
