#include "core/checks.h"

#include <gtest/gtest.h>

using namespace ov;
using namespace Qt::StringLiterals;

namespace {

TEST(IPToInt, Table) {
    const struct {
        QString text;
        std::int32_t value;
    } cases[] = {
        {u"192.168.1.10"_s, -1062731510},
        {u" 10.0.0.1 "_s, 0x0A000001},
        {u"255.255.255.255"_s, -1},
        {u"0.0.0.0"_s, 0},
        {u"10.0.0.256"_s, 0},
        {u"1.2.3"_s, 0},
        {u"1.2.3.4.5"_s, 0},
        {u"1.-2.3.4"_s, 0},
        {u"1.x.3.4"_s, 0x01000304},  // a part that is not a number counts as 0
        {u""_s, 0},
        {u"99999999999.1.1.1"_s, 0x00010101},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text.toStdString());
        EXPECT_EQ(IPToInt(c.text), c.value);
    }
}

TEST(IsValidEmail, Table) {
    const QString local64(64, u'a');
    const QString domain256 = QString(252, u'b') + u".com"_s;
    const struct {
        QString address;
        bool valid;
    } cases[] = {
        {u"a@b.c"_s, true},
        {u"john.doe+tag@mail.example.com"_s, true},
        {u"o'neil_$%/@x-y.org"_s, true},
        {u"a@b.-com"_s, true},  // the last label is not checked for hyphens
        {local64 + u"@b.c"_s, true},
        {u"a@"_s + domain256, true},
        {u""_s, false},
        {u"ab.c"_s, false},
        {u"a..b@c.d"_s, false},
        {u".a@c.d"_s, false},
        {u"a.@c.d"_s, false},
        {u"a@-b.com"_s, false},
        {u"a@b-.com"_s, false},
        {u"a@x.b-.com"_s, false},
        {u"a@bcom"_s, false},
        {u"a b@c.d"_s, false},
        {u"a@b@c.d"_s, false},
        {u"@b.c"_s, false},
        {u"a@"_s, false},
        {u"a@.b.c"_s, false},
        {u"a@b.c."_s, false},
        {u"a@b..c"_s, false},
        {u"ä@b.c"_s, false},
        {local64 + u"a@b.c"_s, false},
        {u"a@b"_s + domain256, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.address.toStdString());
        EXPECT_EQ(IsValidEmail(c.address), c.valid);
    }
}

}  // namespace
