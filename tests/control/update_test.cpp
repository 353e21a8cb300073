// The update rules: versions compared as numbers, and programs replaced only by complete
// programs of this platform, atomically.

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "control/members/update.h"

using namespace Qt::StringLiterals;
using namespace ov::control;

namespace {

TEST(Update, VersionsCompareAsNumbers) {
    struct Case {
        const char16_t* server;
        const char16_t* local;
        bool update;
    } cases[] = {
        {u"6.10.0.0", u"6.9.0.0", true},  {u"6.9.0.0", u"6.10.0.0", false},
        {u"6.4.0.10", u"6.4.0.9", true},  {u"6.4.0.10", u"6.4.0.1", true},
        {u"6.4.1.0", u"6.4.1.0", false},  {u"6.4.0.9", u"6.4.1.0", false},
        {u"", u"6.4.1.0", false},         {u"Network connection failed", u"", false},
        {u"6.4.1", u"", false},           {u"6.4.1.0", u"", true},
        {u"6.4.1.0", u"garbage", true},   {u"6.-4.1.0", u"", false},
        {u" 7.0.0.0 ", u"6.4.1.0", true},
    };
    for (const Case& c : cases)
        EXPECT_EQ(IsHigherVersion(QString::fromUtf16(c.server), QString::fromUtf16(c.local)),
                  c.update)
            << QString::fromUtf16(c.server).toStdString() << " vs "
            << QString::fromUtf16(c.local).toStdString();
}

QByteArray thisProgram() {
    QFile self(u"/proc/self/exe"_s);
    return self.open(QIODevice::ReadOnly) ? self.readAll() : QByteArray();
}

TEST(Update, OnlyCompleteProgramsOfThisPlatformCount) {
    const QByteArray program = thisProgram();
    ASSERT_FALSE(program.isEmpty());
    EXPECT_TRUE(IsElfProgram(program));
    EXPECT_FALSE(IsElfProgram(program.left(program.size() / 2)));  // cut off
    EXPECT_FALSE(IsElfProgram(program.left(40)));
    EXPECT_FALSE(IsElfProgram("#!/bin/sh\necho hello\n"));
    EXPECT_FALSE(IsElfProgram(QByteArray("MZ") + QByteArray(200, '\0')));
    QByteArray bigEndian = program;
    bigEndian[5] = 2;
    EXPECT_FALSE(IsElfProgram(bigEndian));
    QByteArray otherMachine = program;
    otherMachine[18] = 40;  // ARM (32-bit)
    otherMachine[19] = 0;
    EXPECT_FALSE(IsElfProgram(otherMachine));
}

TEST(Update, ReplacementIsAtomicAndRefusesWhatIsNotAProgram) {
    QTemporaryDir dir;
    const QString target = dir.filePath(u"OvClient"_s);
    QFile old(target);
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("old program");
    old.close();
    const QByteArray program = thisProgram();
    EXPECT_FALSE(ReplaceProgram(target, program.left(1000)));
    EXPECT_FALSE(ReplaceProgram(target, "<html>404</html>"));
    ASSERT_TRUE(old.open(QIODevice::ReadOnly));
    EXPECT_EQ(old.readAll(), "old program");
    old.close();
    EXPECT_TRUE(ReplaceProgram(target, program));
    EXPECT_EQ(QFileInfo(target).size(), program.size());
    EXPECT_TRUE(QFileInfo(target).isExecutable());
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{u"OvClient"_s});
}

}  // namespace
