// "FileTypeRelation.txt": entries appended byte for byte, nothing lost or broken.

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "documents/viewerchoice/filetyperelation.h"
#include "core/textfile.h"

#include <unistd.h>

using namespace Qt::StringLiterals;

namespace ov {
namespace {

QByteArray utf16le(const QString& text) {
    QByteArray bytes("\xFF\xFE", 2);
    for (QChar c : text) {
        bytes.append(static_cast<char>(c.unicode() & 0xFF));
        bytes.append(static_cast<char>(c.unicode() >> 8));
    }
    return bytes;
}

QByteArray readBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeBytes(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

class RelationTest : public ::testing::Test {
protected:
    QString folder() const { return dir.path() + u"/"_s; }
    QString file() const { return folder() + u"FileTypeRelation.txt"_s; }
    QTemporaryDir dir;
};

TEST_F(RelationTest, AppendsAfterTheTextReadAndWritesUtf16WithMark) {
    const auto first = ReadFileTypeRelation(folder());
    ASSERT_TRUE(first.has_value());
    EXPECT_TRUE(first->isEmpty());
    ASSERT_TRUE(AppendFileTypeRelation(folder(), *first, u"dwg"_s, 3));
    EXPECT_EQ(readBytes(file()), utf16le(u"[dwg]3[/dwg]\r\n"_s));

    const auto second = ReadFileTypeRelation(folder());
    ASSERT_TRUE(AppendFileTypeRelation(folder(), *second, u"sldprt"_s, 1));
    EXPECT_EQ(readBytes(file()), utf16le(u"[dwg]3[/dwg]\r\n[sldprt]1[/sldprt]\r\n"_s));
    EXPECT_EQ(RememberedViewerStyle(*ReadFileTypeRelation(folder()), u"sldprt"_s), 1);
}

TEST_F(RelationTest, FileWithoutMarkIsReadAndRewrittenWhole) {
    writeBytes(file(), "[dxf]4[/dxf]\r\n");
    const auto text = ReadFileTypeRelation(folder());
    ASSERT_TRUE(text.has_value());
    ASSERT_TRUE(AppendFileTypeRelation(folder(), *text, u"dwg"_s, 3));
    EXPECT_EQ(readBytes(file()), utf16le(u"[dxf]4[/dxf]\r\n[dwg]3[/dwg]\r\n"_s));
}

TEST_F(RelationTest, FileThatCannotBeReadWholeIsNeverOverwritten) {
    {
        QFile big(file());
        ASSERT_TRUE(big.open(QIODevice::WriteOnly));
        ASSERT_TRUE(big.resize(kMaxTextFileSize + 2));  // sparse: costs no disk
    }
    EXPECT_FALSE(ReadFileTypeRelation(folder()).has_value());
    ASSERT_TRUE(QFile::remove(file()));

    ASSERT_TRUE(QDir(folder()).mkdir(u"FileTypeRelation.txt"_s));
    EXPECT_FALSE(ReadFileTypeRelation(folder()).has_value());
    ASSERT_TRUE(QDir(folder()).rmdir(u"FileTypeRelation.txt"_s));

    writeBytes(file(), utf16le(u"[dwg]3[/dwg]\r\n"_s));
    QFile::setPermissions(file(), QFileDevice::Permissions());
    if (::geteuid() != 0) {  // the superuser reads it anyway
        EXPECT_FALSE(ReadFileTypeRelation(folder()).has_value());
    }
}

TEST_F(RelationTest, ExtensionsThatWouldBreakTheFileAreNotRemembered) {
    writeBytes(file(), utf16le(u"[dwg]3[/dwg]\r\n"_s));
    for (const QString& ext : {u"dw]g"_s, u"a[dwg]4"_s, u"x/y"_s, u"a\r\nb"_s, QString()}) {
        EXPECT_FALSE(AppendFileTypeRelation(folder(), u"[dwg]3[/dwg]\r\n"_s, ext, 1));
        EXPECT_EQ(RememberedViewerStyle(u"[dw]g]1[/dw]g]"_s, ext), 0);
    }
    EXPECT_EQ(readBytes(file()), utf16le(u"[dwg]3[/dwg]\r\n"_s));
}

}  // namespace
}  // namespace ov
