#pragma once
// The variant of automation calls: one value of the kinds that scripts pass and receive, and
// the coercions between them (changeType).

#include <QString>
#include <cstdint>

#include "control/ovcom/hresult.h"

namespace ov::ovcom {

struct IDispatch;

enum VarType : std::uint16_t {
    VT_EMPTY = 0,
    VT_NULL = 1,
    VT_I2 = 2,
    VT_I4 = 3,
    VT_R4 = 4,
    VT_R8 = 5,
    VT_BSTR = 8,
    VT_DISPATCH = 9,
    VT_BOOL = 11,
    VT_I1 = 16,
    VT_UI4 = 19,
    VT_BYREF = 0x4000,
};

// Automation Booleans: -1 true, 0 false.
enum VARIANT_BOOL : std::int16_t { VARIANT_FALSE = 0, VARIANT_TRUE = -1 };
constexpr VARIANT_BOOL toVariantBool(bool value) {
    return value ? VARIANT_TRUE : VARIANT_FALSE;
}

// A colour: 0x00BBGGRR, or 0x800000nn for the system colour nn.
enum OLE_COLOR : std::uint32_t {};

class Variant {
public:
    Variant() = default;
    static Variant null();
    explicit Variant(bool value);  // VT_BOOL
    explicit Variant(std::int8_t value);
    explicit Variant(std::int16_t value);
    explicit Variant(std::int32_t value);
    explicit Variant(std::uint32_t value);
    explicit Variant(float value);
    explicit Variant(double value);
    explicit Variant(const QString& value);
    explicit Variant(const char16_t* value) : Variant(QString::fromUtf16(value)) {}
    // Holds a reference of its own (null stays null).
    explicit Variant(IDispatch* value);
    // Takes over the caller's reference.
    static Variant attach(IDispatch* value);
    // A 16-bit integer held by reference: the callee may change the caller's value.
    static Variant byRef(std::int16_t* value);

    Variant(const Variant& other);
    Variant(Variant&& other) noexcept;
    Variant& operator=(const Variant& other);
    Variant& operator=(Variant&& other) noexcept;
    ~Variant();

    VarType type() const { return m_type; }
    bool isByRef() const { return (m_type & VT_BYREF) != 0; }

    // The value of the held kind; the caller checks type() first.
    bool boolValue() const { return m_value.i2 != 0; }
    std::int8_t i1() const { return m_value.i1; }
    std::int16_t i2() const { return m_value.i2; }
    std::int32_t i4() const { return m_value.i4; }
    std::uint32_t ui4() const { return m_value.ui4; }
    float r4() const { return m_value.r4; }
    double r8() const { return m_value.r8; }
    const QString& bstr() const { return m_string; }
    IDispatch* dispatch() const { return m_value.dispatch; }
    std::int16_t* i2Ref() const { return m_value.i2Ref; }

    // A copy without the reference: the referred value itself.
    Variant dereferenced() const;
    // Text for traces and messages ("(empty)", "(null)", "(object)", else the value).
    QString debugText() const;

private:
    void release() noexcept;

    VarType m_type = VT_EMPTY;
    union Value {
        std::int8_t i1;
        std::int16_t i2;
        std::int32_t i4;
        std::uint32_t ui4;
        float r4;
        double r8;
        IDispatch* dispatch;
        std::int16_t* i2Ref;
    } m_value{};
    QString m_string;
};

// Converts `source` to the kind `type` (not by reference). Numbers and texts convert both ways
// (texts as numbers with "." and an optional exponent, blanks around them allowed; Booleans
// also from "True"/"False"); out-of-range values give DISP_E_OVERFLOW; texts that are not
// numbers, null, objects to other kinds and anything to an object give DISP_E_TYPEMISMATCH;
// unknown kinds DISP_E_BADVARTYPE. Empty converts to 0, "", False. Floats round to the nearest
// integer, halves to the even one. On failure `dest` is left as it was.
HRESULT changeType(Variant& dest, const Variant& source, VarType type);

}  // namespace ov::ovcom
