#include "core/textfile.h"

#include <gtest/gtest.h>
#include <QBuffer>
#include <QFile>

#include "core/errors.h"
#include "fixtures.h"
#include "platform/codepage.h"
#include "support/temphome.h"

using namespace ov;

namespace {

class TextFileTest : public ::testing::Test {
protected:
    void SetUp() override { platform::setSystemCodePageOverride(936); }
    void TearDown() override { platform::setSystemCodePageOverride(0); }

    QString write(const QByteArray& bytes, const QString& name = QStringLiteral("t.txt")) {
        const QString fileName = home.file(name);
        QFile file(fileName);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return fileName;
    }

    QByteArray bytesOf(const QString& fileName) {
        QFile file(fileName);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
    }

    test::TempHome home;
};

}  // namespace

TEST_F(TextFileTest, ReadsByMarkOrCodePage) {
    struct {
        QByteArray bytes;
        QString expected;
    } const cases[] = {
        {QByteArray("\xFF\xFE\x41\x00\x42\x00", 6), QStringLiteral("AB")},
        {QByteArray("\xFF\xFE\x41\x00\x42\x00\x43", 7), QStringLiteral("AB")},  // odd byte dropped
        {QByteArray("\xEF\xBB\xBF\xE4\xB8\xAD\xE6\x96\x87", 9), QStringLiteral("中文")},
        {QByteArray("\xD6\xD0\xCE\xC4 abc"), QStringLiteral("中文 abc")},  // GBK without mark
        {QByteArray("\xE4\xB8\xAD\xE6\x96\x87"),
         platform::fromSystemCodePage(QByteArray("\xE4\xB8\xAD\xE6\x96\x87"))},
        {QByteArray("\xFE\xFF\x00\x41\x00\x42"),
         platform::fromSystemCodePage(QByteArray("\xFE\xFF\x00\x41\x00\x42"))},
        {QByteArray("ab"), QStringLiteral("ab")},
        {QByteArray(), QString()},
    };
    for (const auto& c : cases) {
        const QString fileName = write(c.bytes);
        EXPECT_EQ(LoadTextFile(fileName), c.expected) << c.bytes.toHex().toStdString();
        EXPECT_EQ(ReadTextFile(fileName), c.expected);
    }
}

TEST_F(TextFileTest, ShortFileIsCodePageEvenWithMarkBytes) {
    // Four bytes FF FE 41 00 are read as code-page text, not as "A".
    const QString text = LoadTextFile(write(QByteArray("\xFF\xFE\x41\x00", 4)));
    EXPECT_NE(text, QStringLiteral("A"));
    EXPECT_EQ(text, platform::fromSystemCodePage(QByteArray("\xFF\xFE\x41\x00", 4)));
}

TEST_F(TextFileTest, MissingFileAndFolderGiveEmptyText) {
    EXPECT_EQ(LoadTextFile(home.file(QStringLiteral("none.txt"))), QString());
    EXPECT_EQ(LoadTextFile(home.path()), QString());
}

TEST_F(TextFileTest, FileThatCannotBeOpenedThrows) {
    // A socket exists as a file but cannot be opened for reading, even by root.
    const QString socketName = home.file(QStringLiteral("sock"));
    const test::SocketFile socket(socketName);
    ASSERT_TRUE(socket.bound());
    EXPECT_THROW(LoadTextFile(socketName), FileError);
}

TEST_F(TextFileTest, ReadingStopsAt64MiB) {
    const qint64 size = 70'000'000;
    const QString fileName = home.file(QStringLiteral("big.txt"));
    {
        QFile file(fileName);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        ASSERT_TRUE(file.resize(size));  // zero bytes
        file.seek(kMaxTextFileSize - 1);
        file.write("x");
        file.write("y");  // first byte past the limit
    }
    const QString text = LoadTextFile(fileName);
    ASSERT_EQ(text.size(), kMaxTextFileSize);
    EXPECT_EQ(text.back(), u'x');
}

TEST_F(TextFileTest, StreamDecodesCountFromCurrentPosition) {
    QByteArray data("junk\xEF\xBB\xBF\xE4\xB8\xAD\xE6\x96\x87 rest");
    QBuffer buffer(&data);
    ASSERT_TRUE(buffer.open(QIODevice::ReadOnly));
    buffer.seek(4);
    EXPECT_EQ(LoadTextFromStream(buffer, false, 9), QStringLiteral("中文"));
    EXPECT_EQ(LoadTextFromStream(buffer), QStringLiteral(" rest"));
}

TEST_F(TextFileTest, StreamSniffsUtf8OnlyWhenAsked) {
    QByteArray utf8 = QStringLiteral("中文ab").toUtf8();
    QBuffer buffer(&utf8);
    ASSERT_TRUE(buffer.open(QIODevice::ReadOnly));
    EXPECT_EQ(LoadTextFromStream(buffer, true), QStringLiteral("中文ab"));
    buffer.seek(0);
    EXPECT_EQ(LoadTextFromStream(buffer, false), platform::fromSystemCodePage(utf8));

    QByteArray gbk("\xD6\xD0\xCE\xC4 abc");
    QBuffer gbkBuffer(&gbk);
    ASSERT_TRUE(gbkBuffer.open(QIODevice::ReadOnly));
    EXPECT_EQ(LoadTextFromStream(gbkBuffer, true), QStringLiteral("中文 abc"));
}

TEST(TextFile, IsUTF8Text) {
    struct {
        QByteArray bytes;
        bool expected;
    } const cases[] = {
        {QByteArray(), true},
        {QByteArray("plain ascii"), true},
        {QByteArray("\xE4\xB8\xAD"), true},
        {QByteArray("\xC3\xA9x"), true},
        {QByteArray("a\xE4\xB8"), true},  // cut off by the end of the data
        {QByteArray("a\xC3"), true},
        {QByteArray("\x80"), false},   // continuation where a lead is expected
        {QByteArray("\xC3x"), false},  // missing continuation
        {QByteArray("\xE4\xB8x"), false},
        {QByteArray("\xF0\x9F\x98\x80"), false},  // four-byte leads are refused
        {QByteArray("\xD6\xD0\xCE\xC4"), false},  // GBK
        {QByteArray("\xC0\x80"), true},           // overlong forms are not checked
    };
    for (const auto& c : cases)
        EXPECT_EQ(IsUTF8Text(c.bytes), c.expected) << c.bytes.toHex().toStdString();
}

TEST_F(TextFileTest, SaveUnicodeTextWritesMarkAndUtf16Le) {
    const QString fileName = home.file(QStringLiteral("u.txt"));
    SaveUnicodeText(fileName, QStringLiteral("A中"));
    EXPECT_EQ(bytesOf(fileName), QByteArray("\xFF\xFE\x41\x00\x2D\x4E", 6));
    EXPECT_EQ(LoadTextFile(fileName), QStringLiteral("A中"));

    SaveUnicodeText(fileName, QStringLiteral("xyz"));  // replaces
    EXPECT_EQ(LoadTextFile(fileName), QStringLiteral("xyz"));
}

TEST_F(TextFileTest, EmptyTextLeavesFileAlone) {
    const QString fileName = write(QByteArray("keep"));
    SaveUnicodeText(fileName, QString());
    SaveAnsiText(fileName, QByteArray());
    EXPECT_EQ(bytesOf(fileName), QByteArray("keep"));

    const QString missing = home.file(QStringLiteral("never.txt"));
    SaveUnicodeText(missing, QString());
    EXPECT_FALSE(QFile::exists(missing));
}

TEST_F(TextFileTest, WritersThrowWhenFileCannotBeCreated) {
    const QString fileName = home.file(QStringLiteral("no/such/folder/x.txt"));
    EXPECT_THROW(SaveUnicodeText(fileName, QStringLiteral("x")), FileError);
    EXPECT_THROW(SaveAnsiText(fileName, QByteArray("x")), FileError);
}

TEST_F(TextFileTest, SaveAnsiTextWritesBytesAsGiven) {
    const QString fileName = home.file(QStringLiteral("cmd.txt"));
    SaveAnsiText(fileName, QByteArray("\xD6\xD0[code]13[/code]"));
    EXPECT_EQ(bytesOf(fileName), QByteArray("\xD6\xD0[code]13[/code]"));
}

TEST_F(TextFileTest, AppendUnicodeTextOnlyToExistingFiles) {
    const QString fileName = home.file(QStringLiteral("log.txt"));
    AppendUnicodeText(fileName, QStringLiteral("A"));
    EXPECT_FALSE(QFile::exists(fileName));

    SaveUnicodeText(fileName, QStringLiteral("A"));
    AppendUnicodeText(fileName, QStringLiteral("B"));
    AppendUnicodeText(fileName, QString());
    EXPECT_EQ(bytesOf(fileName), QByteArray("\xFF\xFE\x41\x00\x42\x00", 6));
}

TEST_F(TextFileTest, AppendOrSaveUnicodeText) {
    const QString fileName = home.file(QStringLiteral("ad.log"));
    AppendOrSaveUnicodeText(fileName, QStringLiteral("A"));
    AppendOrSaveUnicodeText(fileName, QStringLiteral("B"));
    EXPECT_EQ(bytesOf(fileName), QByteArray("\xFF\xFE\x41\x00\x42\x00", 6));

    const QString noFolder = home.file(QStringLiteral("missing/ad.log"));
    AppendOrSaveUnicodeText(noFolder, QStringLiteral("A"));
    EXPECT_FALSE(QFile::exists(noFolder));
}
