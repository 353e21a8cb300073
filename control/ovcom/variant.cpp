#include "control/ovcom/variant.h"

#include <cmath>
#include <limits>

#include "control/ovcom/unknown.h"

using namespace Qt::StringLiterals;

namespace ov::ovcom {

Variant Variant::null() {
    Variant v;
    v.m_type = VT_NULL;
    return v;
}

Variant::Variant(bool value) : m_type(VT_BOOL) {
    m_value.i2 = value ? -1 : 0;
}
Variant::Variant(std::int8_t value) : m_type(VT_I1) {
    m_value.i1 = value;
}
Variant::Variant(std::int16_t value) : m_type(VT_I2) {
    m_value.i2 = value;
}
Variant::Variant(std::int32_t value) : m_type(VT_I4) {
    m_value.i4 = value;
}
Variant::Variant(std::uint32_t value) : m_type(VT_UI4) {
    m_value.ui4 = value;
}
Variant::Variant(float value) : m_type(VT_R4) {
    m_value.r4 = value;
}
Variant::Variant(double value) : m_type(VT_R8) {
    m_value.r8 = value;
}
Variant::Variant(const QString& value) : m_type(VT_BSTR), m_string(value) {}

Variant::Variant(IDispatch* value) : m_type(VT_DISPATCH) {
    m_value.dispatch = value;
    if (value) value->AddRef();
}

Variant Variant::attach(IDispatch* value) {
    Variant v;
    v.m_type = VT_DISPATCH;
    v.m_value.dispatch = value;
    return v;
}

Variant Variant::byRef(std::int16_t* value) {
    Variant v;
    v.m_type = static_cast<VarType>(VT_BYREF | VT_I2);
    v.m_value.i2Ref = value;
    return v;
}

Variant::Variant(const Variant& other)
    : m_type(other.m_type), m_value(other.m_value), m_string(other.m_string) {
    if (m_type == VT_DISPATCH && m_value.dispatch) m_value.dispatch->AddRef();
}

Variant::Variant(Variant&& other) noexcept
    : m_type(other.m_type), m_value(other.m_value), m_string(std::move(other.m_string)) {
    other.m_type = VT_EMPTY;
    other.m_value = {};
}

Variant& Variant::operator=(const Variant& other) {
    if (this != &other) *this = Variant(other);
    return *this;
}

Variant& Variant::operator=(Variant&& other) noexcept {
    if (this == &other) return *this;
    release();
    m_type = other.m_type;
    m_value = other.m_value;
    m_string = std::move(other.m_string);
    other.m_type = VT_EMPTY;
    other.m_value = {};
    return *this;
}

Variant::~Variant() {
    release();
}

void Variant::release() noexcept {
    if (m_type == VT_DISPATCH && m_value.dispatch) m_value.dispatch->Release();
    m_type = VT_EMPTY;
    m_value = {};
}

Variant Variant::dereferenced() const {
    if (m_type == (VT_BYREF | VT_I2)) return m_value.i2Ref ? Variant(*m_value.i2Ref) : Variant();
    return *this;
}

QString Variant::debugText() const {
    Variant text;
    switch (m_type) {
        case VT_EMPTY:
            return u"(empty)"_s;
        case VT_NULL:
            return u"(null)"_s;
        case VT_DISPATCH:
            return u"(object)"_s;
        default:
            return SUCCEEDED(changeType(text, *this, VT_BSTR)) ? text.bstr() : u"(?)"_s;
    }
}

namespace {

// Every number kind as a double; false for kinds that are not numbers.
bool numberOf(const Variant& v, double& out) {
    switch (v.type()) {
        case VT_EMPTY:
            out = 0;
            return true;
        case VT_I1:
            out = v.i1();
            return true;
        case VT_I2:
            out = v.i2();
            return true;
        case VT_BOOL:
            out = v.boolValue() ? -1 : 0;
            return true;
        case VT_I4:
            out = v.i4();
            return true;
        case VT_UI4:
            out = v.ui4();
            return true;
        case VT_R4:
            out = v.r4();
            return true;
        case VT_R8:
            out = v.r8();
            return true;
        default:
            return false;
    }
}

HRESULT parseNumber(const QString& text, double& out) {
    const QString trimmed = text.trimmed();
    bool ok = false;
    // Only decimal digits, sign, point and exponent: no "inf", "nan" or hexadecimal forms.
    for (QChar c : trimmed)
        if (!(c.isDigit() || c == u'.' || c == u'-' || c == u'+' || c == u'e' || c == u'E'))
            return DISP_E_TYPEMISMATCH;
    out = trimmed.toDouble(&ok);
    if (!ok) return DISP_E_TYPEMISMATCH;
    return std::isfinite(out) ? S_OK : DISP_E_OVERFLOW;
}

HRESULT sourceNumber(const Variant& v, double& out) {
    if (numberOf(v, out)) return S_OK;
    if (v.type() == VT_BSTR) return parseNumber(v.bstr(), out);
    return v.type() == VT_NULL || v.type() == VT_DISPATCH ? DISP_E_TYPEMISMATCH : DISP_E_BADVARTYPE;
}

template <class T>
HRESULT toInteger(const Variant& v, Variant& dest) {
    double number = 0;
    const HRESULT hr = sourceNumber(v, number);
    if (FAILED(hr)) return hr;
    const double rounded = std::nearbyint(number);  // the default mode rounds halves to even
    if (rounded < static_cast<double>(std::numeric_limits<T>::min()) ||
        rounded > static_cast<double>(std::numeric_limits<T>::max()))
        return DISP_E_OVERFLOW;
    dest = Variant(static_cast<T>(rounded));
    return S_OK;
}

HRESULT toBool(const Variant& v, Variant& dest) {
    if (v.type() == VT_BSTR) {
        const QString text = v.bstr().trimmed();
        if (text.compare(u"True"_s, Qt::CaseInsensitive) == 0) return dest = Variant(true), S_OK;
        if (text.compare(u"False"_s, Qt::CaseInsensitive) == 0) return dest = Variant(false), S_OK;
    }
    double number = 0;
    const HRESULT hr = sourceNumber(v, number);
    if (FAILED(hr)) return hr;
    dest = Variant(number != 0);
    return S_OK;
}

HRESULT toFloat(const Variant& v, Variant& dest) {
    double number = 0;
    const HRESULT hr = sourceNumber(v, number);
    if (FAILED(hr)) return hr;
    if (std::fabs(number) > std::numeric_limits<float>::max()) return DISP_E_OVERFLOW;
    dest = Variant(static_cast<float>(number));
    return S_OK;
}

HRESULT toDouble(const Variant& v, Variant& dest) {
    double number = 0;
    const HRESULT hr = sourceNumber(v, number);
    if (SUCCEEDED(hr)) dest = Variant(number);
    return hr;
}

HRESULT toText(const Variant& v, Variant& dest) {
    switch (v.type()) {
        case VT_EMPTY:
            dest = Variant(QString());
            return S_OK;
        case VT_BSTR:
            dest = v;
            return S_OK;
        case VT_BOOL:
            dest = Variant(v.boolValue() ? u"True"_s : u"False"_s);
            return S_OK;
        case VT_R4:
            dest = Variant(QString::number(v.r4(), 'g', 7));
            return S_OK;
        case VT_R8:
            dest = Variant(QString::number(v.r8(), 'g', 15));
            return S_OK;
        default:
            break;
    }
    double number = 0;
    if (!numberOf(v, number)) return sourceNumber(v, number);  // the kind's error
    dest = Variant(QString::number(static_cast<qint64>(number)));
    return S_OK;
}

HRESULT toUnsigned(const Variant& v, Variant& dest) {
    double number = 0;
    const HRESULT got = sourceNumber(v, number);
    if (FAILED(got)) return got;
    const double rounded = std::nearbyint(number);
    if (rounded < 0 || rounded > 4294967295.0) return DISP_E_OVERFLOW;
    dest = Variant(static_cast<std::uint32_t>(rounded));
    return S_OK;
}

}  // namespace

HRESULT changeType(Variant& dest, const Variant& source, VarType type) {
    const Variant v = source.dereferenced();
    if (v.type() == type) return dest = v, S_OK;
    Variant result;
    HRESULT hr = DISP_E_BADVARTYPE;
    switch (type) {
        case VT_I1:
            hr = toInteger<std::int8_t>(v, result);
            break;
        case VT_I2:
            hr = toInteger<std::int16_t>(v, result);
            break;
        case VT_I4:
            hr = toInteger<std::int32_t>(v, result);
            break;
        case VT_UI4:
            hr = toUnsigned(v, result);
            break;
        case VT_R4:
            hr = toFloat(v, result);
            break;
        case VT_R8:
            hr = toDouble(v, result);
            break;
        case VT_BOOL:
            hr = toBool(v, result);
            break;
        case VT_BSTR:
            hr = toText(v, result);
            break;
        case VT_DISPATCH:
        case VT_NULL:
            hr = DISP_E_TYPEMISMATCH;
            break;
        case VT_EMPTY:
            hr = S_OK;
            break;
        default:
            break;
    }
    if (SUCCEEDED(hr)) dest = std::move(result);
    return hr;
}

}  // namespace ov::ovcom
