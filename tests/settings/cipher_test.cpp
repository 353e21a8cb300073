#include "core/cipher.h"

#include <gtest/gtest.h>

#include "core/aes.h"
#include "platform/codepage.h"

using namespace ov;

namespace {

class Cipher : public ::testing::Test {
protected:
    void SetUp() override { platform::setSystemCodePageOverride(936); }
    void TearDown() override { platform::setSystemCodePageOverride(0); }
};

struct Known {
    const char* plainUtf8;
    const char* key;  // nullptr: the fixed key
    int keyType;
    const char* hex;
};

// Reference values computed with `openssl enc -aes-{128,192,256}-ecb -nopad` over the
// zero-filled code-page bytes and the zero-filled key.
const Known kKnown[] = {
    {"abc", nullptr, 1, "8E35FB82BCE216E89A1CC5757B210BAB"},
    {"abc", nullptr, 2, "F59569EF46FF8685F9697EC342DC6047"},
    {"abc", nullptr, 3, "A90647B392298E733EA6518044902DBB"},
    {"0123456789abcdef", nullptr, 1, "511DC808AB3B74D6D8E59D2524EDB3A0"},
    {"0123456789abcdef", nullptr, 3, "BEAC3A9B613CBC0E2120C50C513DEC3D"},
    {"0123456789abcdefg", nullptr, 1,
     "511DC808AB3B74D6D8E59D2524EDB3A0FFAF34972D5C9A557CD80B8B43AED035"},
    {"0123456789abcdefg", nullptr, 3,
     "BEAC3A9B613CBC0E2120C50C513DEC3DBE325C33FA075E3275A9698043AD21FB"},
    {"中文", nullptr, 1, "300B5887B52AD4B6B058FD3065BD73EE"},
    {"中文", nullptr, 3, "E91DF3A58772F82BC3D19FDD9A98FD19"},
    // Keys longer than the key size are cut: only the first 32 (or 16) bytes count.
    {"abc", "0123456789abcdefghijklmnopqrstuvWXYZ", 3, "D77EEF4B13ACB306F2360146115072D1"},
    {"abc", "0123456789abcdefXYZ", 1, "D78DC68424782137E00C4CFB9025B473"},
};

}  // namespace

TEST_F(Cipher, KnownCiphertextsAndRoundTrips) {
    for (const Known& k : kKnown) {
        const QString plain = QString::fromUtf8(k.plainUtf8);
        const QString key = k.key ? QString::fromLatin1(k.key) : FixedCipherKey();
        SCOPED_TRACE(k.plainUtf8);
        SCOPED_TRACE(k.keyType);
        EXPECT_EQ(EncryptStringByKey(plain, key, k.keyType), QString::fromLatin1(k.hex));
        EXPECT_EQ(DecryptStringByKey(QString::fromLatin1(k.hex), key, k.keyType), plain);
        // Lower-case digits are read as well.
        EXPECT_EQ(DecryptStringByKey(QString::fromLatin1(k.hex).toLower(), key, k.keyType), plain);
    }
    EXPECT_EQ(EncryptString(QStringLiteral("abc"), 3),
              QStringLiteral("A90647B392298E733EA6518044902DBB"));
}

TEST_F(Cipher, EmptyTextsAndZeroBytes) {
    EXPECT_EQ(EncryptString(QString(), 3), QString());
    EXPECT_EQ(DecryptString(QString(), 3), QString());
    // Trailing zero bytes of the plain text cannot be told from the fill and are lost.
    const QString withZeros = QStringLiteral("ab") + QChar(0) + QChar(0);
    const QString hex = EncryptString(withZeros, 3);
    EXPECT_EQ(hex.size(), 32);
    EXPECT_EQ(DecryptString(hex, 3), QStringLiteral("ab"));
    // Zero bytes inside the text survive.
    const QString inner = QStringLiteral("a") + QChar(0) + QStringLiteral("b");
    EXPECT_EQ(DecryptString(EncryptString(inner, 1), 1), inner);
}

TEST_F(Cipher, WrongKeyGivesOtherTextNotEmpty) {
    const QString hex = EncryptString(QStringLiteral("secret token"), 3);
    const QString other = DecryptStringByKey(hex, QStringLiteral("another key"), 3);
    EXPECT_FALSE(other.isEmpty());
    EXPECT_NE(other, QStringLiteral("secret token"));
    // The key type is part of the key.
    EXPECT_NE(DecryptString(hex, 1), QStringLiteral("secret token"));
}

TEST_F(Cipher, CharactersOutsideTheCodePageComeBackAsReplacement) {
    const QString text = QString::fromUtf8("a\u20A9b中");
    EXPECT_EQ(DecryptString(EncryptString(text, 3), 3), QString::fromUtf8("a?b中"));
}

TEST_F(Cipher, MalformedInputNeverReadsPastIt) {
    const QString good = EncryptString(QStringLiteral("0123456789abcdefg"), 3);  // two blocks
    struct Case {
        QString input;
        QString expected;
    };
    const Case cases[] = {
        {QStringLiteral("A"), QString()},                     // one digit: no byte
        {good.left(31), QString()},                           // not one whole block
        {good.left(33), QStringLiteral("0123456789abcdef")},  // whole blocks only
        {good.left(63), QStringLiteral("0123456789abcdef")},
        {good + QStringLiteral("7"), QStringLiteral("0123456789abcdefg")},
        {QStringLiteral("ZZ") + good.mid(2), QString()},  // not hexadecimal
        {good.left(30) + QStringLiteral("中中"), QString()},
        {QStringLiteral("0x") + good.mid(2), QString()},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.input.toStdString());
        EXPECT_EQ(DecryptString(c.input, 3), c.expected);
    }
}

TEST_F(Cipher, UnknownKeyTypeRaisesWhenEnciphering) {
    EXPECT_THROW(EncryptString(QStringLiteral("abc"), 4), EAESError);
    EXPECT_THROW(EncryptString(QString(), 0), EAESError);
    EXPECT_EQ(DecryptString(QStringLiteral("A90647B392298E733EA6518044902DBB"), 4), QString());
}

TEST_F(Cipher, KeyPreparationCutsAndFills) {
    EXPECT_EQ(TAES::PrepareKey("qv7351_mxzt", 3), QByteArray("qv7351_mxzt").append(21, '\0'));
    EXPECT_EQ(TAES::PrepareKey("qv7351_mxzt", 1), QByteArray("qv7351_mxzt").append(5, '\0'));
    EXPECT_EQ(TAES::PrepareKey(QByteArray(40, 'k'), 2), QByteArray(24, 'k'));
    EXPECT_EQ(TAES::PrepareKey({}, 3), QByteArray(32, '\0'));
}
