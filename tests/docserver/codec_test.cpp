// The test server's codec on its own, against bytes and texts written out by hand.

#include "testing/docserver/codec/bytes.h"
#include "testing/docserver/codec/datetime.h"
#include "testing/docserver/codec/filewire.h"
#include "testing/docserver/codec/frame.h"
#include "testing/docserver/codec/tagtext.h"

#include <gtest/gtest.h>
#include <QBuffer>
#include <stdexcept>

using namespace ov::test::wire;

namespace {

QByteArray Hex(const char* spaced) {
    return QByteArray::fromHex(QByteArray(spaced));
}

TEST(DocServerCodec, IntegersInTheirByteOrder) {
    EXPECT_EQ(be32(0xFFEE), Hex("00 00 FF EE"));
    EXPECT_EQ(be32(-2), Hex("FF FF FF FE"));
    EXPECT_EQ(be64(0x0102030405060708), Hex("01 02 03 04 05 06 07 08"));
    EXPECT_EQ(be64(-2), Hex("FF FF FF FF FF FF FF FE"));
    EXPECT_EQ(getBE32(Hex("80 00 00 01").constData()), qint32(0x80000001u));
    EXPECT_EQ(getBE64(Hex("00 00 00 01 00 00 00 02").constData()), 0x100000002);
    EXPECT_EQ(getLE64(QByteArray("89ABCDEF").constData()),
              getBE64(QByteArray("FEDCBA98").constData()))
        << "a tail check read little-endian travels big-endian: its bytes reversed";
}

TEST(DocServerCodec, HeaderAndFrames) {
    Head head;
    head.Version = 2;
    head.TranType = 'P';
    head.FreeInt = 0x01020304;
    head.FreeInt2 = -2;
    head.FreeInt3 = 7;
    const QByteArray bytes = Hex("02 00 50 00  04 03 02 01  FE FF FF FF  07 00 00 00");
    EXPECT_EQ(encodeHead(head), bytes);
    const Head back = decodeHead(bytes.constData());
    EXPECT_EQ(back.TranType, 'P');
    EXPECT_EQ(back.FreeInt, 0x01020304);
    EXPECT_EQ(back.FreeInt2, -2);
    EXPECT_EQ(back.FreeInt3, 7);
    EXPECT_EQ(encodeFrame(head, QByteArray(), 0xFFEE),
              Hex("00 00 00 14") + bytes + Hex("00 00 FF EE"))
        << "no payload: no size block";
    EXPECT_EQ(encodeFrame(head, utf16le(QStringLiteral("a中")), 0xFFEE),
              Hex("00 00 00 18") + bytes + Hex("00 00 00 04  61 00 2D 4E  00 00 FF EE"));
    EXPECT_EQ(fromUtf16le(Hex("61 00 2D 4E 62")), QStringLiteral("a中")) << "odd byte dropped";
}

TEST(DocServerCodec, ParameterLines) {
    EXPECT_EQ(encodeParam(QStringLiteral("a中")), QByteArray("%_61E4B8AD_%"));
    EXPECT_EQ(encodeParam(QString()), QByteArray("%__%"));
    EXPECT_EQ(decodeParam("%_61E4B8AD_%"), QStringLiteral("a中"));
    EXPECT_EQ(decodeParam("%_61e4b8ad_%"), QStringLiteral("a中"));
    EXPECT_EQ(decodeParam("%__%"), QString());
    for (const char* bad : {"abc", "%_61_", "61_%", "%_6_%", "%_6G_%", "%_"}) {
        SCOPED_TRACE(bad);
        EXPECT_THROW(decodeParam(bad), std::runtime_error);
    }
}

TEST(DocServerCodec, ResumeOfferAndTailCheck) {
    QByteArray data(100, 'x');
    data.replace(88, 8, "ABCDEFGH");
    QBuffer device(&data);
    ASSERT_TRUE(device.open(QIODevice::ReadOnly));
    EXPECT_EQ(resumeOffer(100), 96);
    EXPECT_EQ(resumeOffer(15), 0);
    EXPECT_EQ(be64(tailCheck(device, 96)), QByteArray("HGFEDCBA"));
    EXPECT_EQ(tailCheck(device, 0), 0);
    const std::int64_t check = tailCheck(device, 96);
    EXPECT_EQ(resumeStart(device, 96, check), 96);
    EXPECT_EQ(resumeStart(device, 96, check ^ 1), 0);
    EXPECT_EQ(resumeStart(device, 4, 0), 0) << "below 8";
    EXPECT_EQ(resumeStart(device, 112, check), 0) << "past the size";
    EXPECT_EQ(resumeStart(device, 100, tailCheck(device, 100)), 100) << "the whole size";
}

TEST(DocServerCodec, TagsAndNumbers) {
    const QString text =
        QStringLiteral("[Key] 12 [/Key][key]9[/key][FolderId]11[/FolderID][Open]x");
    EXPECT_EQ(tagValue(text, QStringLiteral("KEY")), QStringLiteral("12")) << "first, trimmed";
    EXPECT_EQ(tagValue(text, QStringLiteral("Key"), false), QStringLiteral(" 12 "));
    EXPECT_EQ(tagValue(text, QStringLiteral("FolderId")), QStringLiteral("11"));
    EXPECT_EQ(tagValue(text, QStringLiteral("Open")), QString()) << "never closed";
    EXPECT_EQ(tagValue(text, QStringLiteral("Ke")), QString());
    EXPECT_EQ(int64Or0(QStringLiteral(" -9007199254740993 ")), -9007199254740993);
    EXPECT_EQ(intOr0(QStringLiteral("4294967296")), 0) << "does not fit";
    EXPECT_EQ(intOr0(QStringLiteral("12a")), 0);
}

TEST(DocServerCodec, DateTimes) {
    EXPECT_EQ(dateText(46000.5), QStringLiteral("2025-12-09 12:00:00"));
    EXPECT_EQ(dateText(45000.5 + 1.0 / 86400), QStringLiteral("2023-03-15 12:00:01"));
    EXPECT_EQ(dateText(0), QStringLiteral("1899-12-30 00:00:00"));
    EXPECT_EQ(dateText(1e9), QString());
    EXPECT_EQ(dateToInt64(45000.5), 45000500000000);
    EXPECT_EQ(int64ToDate(45000500000000), 45000.5);
    EXPECT_GT(nowLocal(), 46000.0) << "days since 1899-12-30, now after 2025-12-09";
}

}  // namespace
