// The INI layer on temporary files: names in any case, trimmed values, UTF-8, lines it does not
// understand kept, and a replace that a crash cannot leave half-written.

#include "platform/inifile.h"

#include <gtest/gtest.h>
#include <QFile>
#include <QTemporaryDir>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <csignal>

using namespace Qt::StringLiterals;
using ov::platform::IniFile;

namespace {

QByteArray ReadAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void Write(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

}  // namespace

TEST(IniFile, NamesIgnoreCaseAndValuesAreTrimmed) {
    const IniFile ini = IniFile::fromBytes(
        "; kept\r\n[4711]\r\n  WorkPath =  /home/u/work/  \r\n[Other]\nkey=1\n"
        "[4711]\nWorkPath=/second/\n");
    EXPECT_EQ(ini.readString(u"4711"_s, u"workpath"_s), u"/home/u/work/"_s);
    EXPECT_EQ(ini.readString(u"OTHER"_s, u"KEY"_s), u"1"_s);
    EXPECT_EQ(ini.readString(u"missing"_s, u"key"_s, u"def"_s), u"def"_s);
    EXPECT_EQ(ini.sections(), (QStringList{u"4711"_s, u"Other"_s, u"4711"_s}));
}

TEST(IniFile, WritesReplaceInPlaceAndKeepOtherLines) {
    IniFile ini = IniFile::fromBytes("; note\r\n[A]\r\nKey=old\r\n[B]\r\nx=1\r\n");
    ASSERT_TRUE(ini.writeString(u"a"_s, u"KEY"_s, u" 文件 "_s));
    ASSERT_TRUE(ini.writeString(u"C"_s, u"k"_s, u"v"_s));
    EXPECT_TRUE(ini.eraseSection(u"b"_s));
    EXPECT_EQ(ini.toBytes(),
              QByteArray("; note\r\n[A]\r\nKey=\xE6\x96\x87\xE4\xBB\xB6\r\n[C]\r\nk=v\r\n"));
}

TEST(IniFile, RefusesWhatCannotStandInTheFile) {
    IniFile ini;
    EXPECT_FALSE(ini.writeString(u"a]b"_s, u"k"_s, u"v"_s));
    EXPECT_FALSE(ini.writeString(u"s"_s, u"k=1"_s, u"v"_s));
    EXPECT_FALSE(ini.writeString(u"s"_s, u"k"_s, u"two\nlines"_s));
    EXPECT_FALSE(ini.writeString(u"s"_s, QString(), u"v"_s));
    EXPECT_TRUE(ini.toBytes().isEmpty());
}

// Names are trimmed on reading as on writing; a first character U+FEFF survives a write and a
// read (the file gets a byte-order mark of its own, and only one mark is taken off).
TEST(IniFile, WhatIsWrittenReadsBackAlike) {
    IniFile ini;
    ASSERT_TRUE(ini.writeString(u" A "_s, u"key\t"_s, u"v"_s));
    EXPECT_EQ(ini.readString(u" a"_s, u" KEY "_s), u"v"_s);

    const QString first = QChar(0xFEFF) + u"k=1"_s;
    QByteArray utf16("\xFF\xFE");
    utf16.append(reinterpret_cast<const char*>(first.utf16()), first.size() * 2);
    for (const QByteArray& bytes : {QByteArray("\xEF\xBB\xBF") + first.toUtf8(), utf16}) {
        const IniFile read = IniFile::fromBytes(bytes);
        const QByteArray written = read.toBytes();
        EXPECT_TRUE(written.startsWith("\xEF\xBB\xBF\xEF\xBB\xBF")) << written.toHex().constData();
        EXPECT_EQ(IniFile::fromBytes(written).toBytes(), written);
    }
    EXPECT_EQ(IniFile::fromBytes("\xEF\xBB\xBFk=1\r\n").toBytes(), QByteArray("k=1\r\n"));
}

TEST(IniFile, ReadsUtf16WithByteOrderMark) {
    const QString text = u"[1]\r\nCheckoutPath=/w/报告.doc\r\n"_s;
    QByteArray bytes("\xFF\xFE");
    bytes.append(reinterpret_cast<const char*>(text.utf16()), text.size() * 2);
    EXPECT_EQ(IniFile::fromBytes(bytes).readString(u"1"_s, u"checkoutpath"_s), u"/w/报告.doc"_s);
}

TEST(IniFile, FileChangesKeepOtherSectionsAndRefuseUnreadableFiles) {
    QTemporaryDir dir;
    const QString path = dir.filePath(u"r.ini"_s);
    ASSERT_TRUE(ov::platform::iniWriteString(path, u"1"_s, u"K"_s, u"a"_s));
    ASSERT_TRUE(ov::platform::iniWriteString(path, u"2"_s, u"K"_s, u"b"_s));
    ASSERT_TRUE(ov::platform::iniEraseSection(path, u"1"_s));
    EXPECT_EQ(ov::platform::iniReadString(path, u"2"_s, u"k"_s), u"b"_s);
    EXPECT_EQ(ov::platform::iniReadString(path, u"1"_s, u"k"_s), QString());
    // A link in the file's place is neither read nor replaced.
    const QString target = dir.filePath(u"target.ini"_s);
    Write(target, "[1]\nK=secret\n");
    const QString link = dir.filePath(u"link.ini"_s);
    ASSERT_TRUE(QFile::link(target, link));
    EXPECT_EQ(ov::platform::iniReadString(link, u"1"_s, u"K"_s), QString());
    EXPECT_FALSE(ov::platform::iniWriteString(link, u"1"_s, u"K"_s, u"x"_s));
    EXPECT_EQ(ReadAll(target), QByteArray("[1]\nK=secret\n"));
}

// A writer that dies in the middle of writing (here: killed for exceeding its file size limit)
// leaves the old file as it was and no stray content under its name.
TEST(IniFile, CrashWhileWritingLeavesTheOldFileWhole) {
    QTemporaryDir dir;
    const QString path = dir.filePath(u"checkout_record.ini"_s);
    const QByteArray old("[1]\r\nCheckoutPath=/old/file.doc\r\n");
    Write(path, old);
    IniFile big = IniFile::load(path);
    for (int i = 0; i < 2000; ++i)
        big.writeString(QString::number(i + 2), u"CheckoutPath"_s, QString(200, u'x'));
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        const rlimit limit{4096, 4096};
        setrlimit(RLIMIT_FSIZE, &limit);
        big.save(path);
        _exit(0);  // not reached when the limit strikes
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFSIGNALED(status)) << "the writer was expected to die while writing";
    EXPECT_EQ(WTERMSIG(status), SIGXFSZ);
    EXPECT_EQ(ReadAll(path), old);
    EXPECT_EQ(ov::platform::iniReadString(path, u"1"_s, u"checkoutpath"_s), u"/old/file.doc"_s);
}
