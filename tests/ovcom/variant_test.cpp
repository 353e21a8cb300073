// Variants and their coercions, GUID texts.

#include <gtest/gtest.h>

#include "control/ovcom/guid.h"
#include "control/ovcom/variant.h"

using namespace Qt::StringLiterals;
using namespace ov::ovcom;

namespace {

struct Coercion {
    Variant from;
    VarType to;
    HRESULT hr;
    const char16_t* text;  // the result's debug text on success
};

TEST(Variant, CoercionsAndTheirErrors) {
    std::int16_t ref = 77;
    const Coercion cases[] = {
        {Variant(u" 42 "_s), VT_I4, S_OK, u"42"},
        {Variant(u"-1.5"_s), VT_I4, S_OK, u"-2"},  // halves to the even neighbour
        {Variant(u"2.5"_s), VT_I2, S_OK, u"2"},
        {Variant(u"1e3"_s), VT_I2, S_OK, u"1000"},
        {Variant(u"abc"_s), VT_I4, DISP_E_TYPEMISMATCH, nullptr},
        {Variant(u""_s), VT_I4, DISP_E_TYPEMISMATCH, nullptr},
        {Variant(u"inf"_s), VT_R8, DISP_E_TYPEMISMATCH, nullptr},
        {Variant(u"0x10"_s), VT_I4, DISP_E_TYPEMISMATCH, nullptr},
        {Variant(128), VT_I1, DISP_E_OVERFLOW, nullptr},
        {Variant(-128), VT_I1, S_OK, u"-128"},
        {Variant(40000), VT_I2, DISP_E_OVERFLOW, nullptr},
        {Variant(3e9), VT_I4, DISP_E_OVERFLOW, nullptr},
        {Variant(3e9), VT_UI4, S_OK, u"3000000000"},
        {Variant(-1), VT_UI4, DISP_E_OVERFLOW, nullptr},
        {Variant(1e39), VT_R4, DISP_E_OVERFLOW, nullptr},
        {Variant(true), VT_I4, S_OK, u"-1"},
        {Variant(true), VT_BSTR, S_OK, u"True"},
        {Variant(u"false"_s), VT_BOOL, S_OK, u"False"},
        {Variant(u"0"_s), VT_BOOL, S_OK, u"False"},
        {Variant(u"yes"_s), VT_BOOL, DISP_E_TYPEMISMATCH, nullptr},
        {Variant(2), VT_BOOL, S_OK, u"True"},
        {Variant(1.25), VT_BSTR, S_OK, u"1.25"},
        {Variant(std::int8_t{-5}), VT_BSTR, S_OK, u"-5"},
        {Variant(), VT_I4, S_OK, u"0"},
        {Variant(), VT_BSTR, S_OK, u""},
        {Variant::null(), VT_I4, DISP_E_TYPEMISMATCH, nullptr},
        {Variant::null(), VT_BSTR, DISP_E_TYPEMISMATCH, nullptr},
        {Variant(u"x"_s), VT_DISPATCH, DISP_E_TYPEMISMATCH, nullptr},
        {Variant::byRef(&ref), VT_I4, S_OK, u"77"},
        {Variant(1), static_cast<VarType>(77), DISP_E_BADVARTYPE, nullptr},
    };
    for (const Coercion& c : cases) {
        Variant dest(u"unchanged"_s);
        const HRESULT hr = changeType(dest, c.from, c.to);
        EXPECT_EQ(hr, c.hr) << c.from.debugText().toStdString() << " to " << c.to;
        if (c.hr == S_OK) {
            EXPECT_EQ(dest.type(), c.to);
            EXPECT_EQ(dest.debugText(), QString::fromUtf16(c.text))
                << c.from.debugText().toStdString();
        } else {
            EXPECT_EQ(dest.bstr(), u"unchanged"_s);  // a failed coercion leaves it alone
        }
    }
}

TEST(Guid, TextRoundTrip) {
    constexpr Guid clsid = makeGuid("0E1DE5BF-C00E-436D-ACEB-8417B4CD46D5");
    EXPECT_EQ(clsid.toString(), u"{0E1DE5BF-C00E-436D-ACEB-8417B4CD46D5}"_s);
    EXPECT_EQ(Guid::fromString(u"{0e1de5bf-c00e-436d-aceb-8417b4cd46d5}"_s), clsid);
    EXPECT_EQ(Guid::fromString(u"0E1DE5BF-C00E-436D-ACEB-8417B4CD46D5"_s), clsid);
    for (const QString& bad :
         {u""_s, u"{0E1DE5BF-C00E-436D-ACEB-8417B4CD46D}"_s,
          u"{0E1DE5BF+C00E-436D-ACEB-8417B4CD46D5}"_s, u"{0E1DE5BF-C00E-436D-ACEB-8417B4CD46DG}"_s,
          u"{+E1DE5BF-C00E-436D-ACEB-8417B4CD46D5}"_s})
        EXPECT_FALSE(Guid::fromString(bad)) << bad.toStdString();
}

}  // namespace
