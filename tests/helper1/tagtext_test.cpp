#include "core/tagtext.h"

#include <gtest/gtest.h>

#include "fixtures.h"

using namespace ov;

namespace {

struct ReadCase {
    const char16_t* text;
    const char16_t* tag;
    bool trim;
    const char16_t* expected;
};

QString q(const char16_t* s) {
    return QString::fromUtf16(s);
}

}  // namespace

TEST(TagText, ReadTagValueCases) {
    const ReadCase cases[] = {
        {u"[A]1[/A][a]2[/a]", u"a", true, u"1"},  // case of a-z ignored
        {u"[X]  v [/X]", u"X", true, u"v"},
        {u"[X]  v [/X]", u"X", false, u"  v "},
        {u"[X]\t\r\nv\x01[/X]", u"X", true, u"v"},  // everything up to blank trimmed
        {u"[/X]a[X]b", u"X", true, u""},            // closing tag before opening tag
        {u"[X]a[X]b[/X]", u"X", true, u"a[X]b"},    // no nesting
        {u"[X][/X]", u"X", true, u""},
        {u"[Name]Ab C[/NAME]", u"name", true, u"Ab C"},  // value keeps its own case
        {u"[É]1[/É][é]2[/é]", u"é", true, u"2"},         // only a-z fold
        {u"no tags", u"X", true, u""},
        {u"", u"X", true, u""},
        {u"[User]u[/User][UserId]7[/UserId]", u"UserId", true, u"7"},
    };
    for (const ReadCase& c : cases)
        EXPECT_EQ(ReadTagValue(q(c.text), q(c.tag), c.trim), q(c.expected))
            << q(c.text).toStdString();
    EXPECT_EQ(ReadTagValue(QStringLiteral("[X] v [/X]"), QStringLiteral("X")), QStringLiteral("v"));
}

TEST(TagText, WriteTagValueCases) {
    struct {
        const char16_t* text;
        const char16_t* key;
        const char16_t* value;
        const char16_t* expected;
    } const cases[] = {
        {u"[A]1[/A][a]2[/a]", u"a", u"9", u"[a]9[/a][a]2[/a]"},
        {u"x[K]old[/k]y", u"K", u" new ", u"x[K] new [/K]y"},  // value not trimmed
        {u"[/X]a[X]b", u"X", u"v", u"[/X]a[X]b[X]v[/X]\r\n"},  // no pair: append
        {u"", u"Key", u"", u"[Key][/Key]\r\n"},
        {u"[X]1[/X]", u"Y", u"2", u"[X]1[/X][Y]2[/Y]\r\n"},
    };
    for (const auto& c : cases) {
        QString text = q(c.text);
        WriteTagValue(q(c.key), q(c.value), text);
        EXPECT_EQ(text, q(c.expected)) << q(c.text).toStdString();
    }
}

TEST(TagText, WrittenValueReadsBack) {
    QString text;
    WriteTagValue(QStringLiteral("Path"), QStringLiteral("中文 [x]"), text);
    WriteTagValue(QStringLiteral("Size"), QStringLiteral("12"), text);
    WriteTagValue(QStringLiteral("PATH"), QStringLiteral("/a/b"), text);
    EXPECT_EQ(ReadTagValue(text, QStringLiteral("path")), QStringLiteral("/a/b"));
    EXPECT_EQ(ReadTagValue(text, QStringLiteral("Size")), QStringLiteral("12"));
}

TEST(TagText, PosFrom) {
    const QString text = QStringLiteral("abcabc");
    EXPECT_EQ(PosFrom(QStringLiteral("bc"), text, 1), 2);
    EXPECT_EQ(PosFrom(QStringLiteral("bc"), text, 3), 5);
    EXPECT_EQ(PosFrom(QStringLiteral("bc"), text, 0), 2);
    EXPECT_EQ(PosFrom(QStringLiteral("bc"), text, 6), 0);
    EXPECT_EQ(PosFrom(QStringLiteral("bc"), text, 99), 0);
    EXPECT_EQ(PosFrom(QStringLiteral("BC"), text, 1), 0);
    EXPECT_EQ(PosFrom(QString(), text, 1), 0);
    EXPECT_EQ(PosFrom(QStringLiteral("a"), QString(), 1), 0);
}

TEST(TagText, ReplaceAllTextIgnoresAsciiCase) {
    EXPECT_EQ(ReplaceAllText(QStringLiteral("aXbxcX"), QStringLiteral("x"), QStringLiteral("--")),
              QStringLiteral("a--b--c--"));
    EXPECT_EQ(ReplaceAllText(QStringLiteral("aaaa"), QStringLiteral("AA"), QStringLiteral("a")),
              QStringLiteral("aa"));
    EXPECT_EQ(ReplaceAllText(QStringLiteral("Éé"), QStringLiteral("é"), QStringLiteral("e")),
              QStringLiteral("Ée"));
    EXPECT_EQ(ReplaceAllText(QStringLiteral("abc"), QString(), QStringLiteral("x")),
              QStringLiteral("abc"));
}
