// The "in use" signs of a document with real files and real helper processes: a LibreOffice lock
// file, an advisory lock held by another process, another process holding the file open, and
// none of them; and the title rule (the full file name, never a part of it).

#include "platform/fileinuse.h"

#include <gtest/gtest.h>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

using namespace ov::platform;
using namespace Qt::StringLiterals;

namespace {

class FileInUseTest : public ::testing::Test {
protected:
    FileInUseTest() {
        path = dir.path() + u"/a.txt"_s;
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("text");
    }
    ~FileInUseTest() override {
        if (helper.state() != QProcess::NotRunning) {
            helper.kill();
            helper.waitForFinished();
        }
    }
    // Starts a helper that holds the file as `script` says and prints "ready" once it does.
    void StartHolder(const QString& script) {
        helper.start(u"/usr/bin/python3"_s, {u"-c"_s, script, path});
        ASSERT_TRUE(helper.waitForStarted());
        ASSERT_TRUE(helper.waitForReadyRead(10000));
        ASSERT_EQ(helper.readAll().trimmed(), "ready");
    }
    FileUseProbe Probe() const { return {0, false}; }

    QTemporaryDir dir;
    QString path;
    QProcess helper;
};

TEST_F(FileInUseTest, AFileNobodyHoldsIsFree) {
    EXPECT_EQ(fileInUse(path, Probe()), FileUse::Free);
}

TEST_F(FileInUseTest, AMissingFileIsMissingNotInUse) {
    EXPECT_EQ(fileInUse(dir.path() + u"/gone.txt"_s, Probe()), FileUse::Missing);
}

TEST_F(FileInUseTest, TheOfficeLockFileBesideIt) {
    QFile lock(dir.path() + u"/.~lock.a.txt#"_s);
    ASSERT_TRUE(lock.open(QIODevice::WriteOnly));
    lock.close();
    EXPECT_EQ(fileInUse(path, Probe()), FileUse::LockFile);
    lock.remove();
    EXPECT_EQ(fileInUse(path, Probe()), FileUse::Free);
}

TEST_F(FileInUseTest, AnAdvisoryLockOfAnotherProcess) {
    StartHolder(u"import fcntl,sys,time\nf=open(sys.argv[1],'r+')\nfcntl.lockf(f,fcntl.LOCK_EX)\n"
                u"print('ready',flush=True)\ntime.sleep(60)\n"_s);
    EXPECT_EQ(fileInUse(path, Probe()), FileUse::AdvisoryLock);
    helper.kill();
    helper.waitForFinished();
    EXPECT_EQ(fileInUse(path, Probe()), FileUse::Free);
}

TEST_F(FileInUseTest, AnotherProcessHoldingItOpen) {
    StartHolder(u"import sys,time\nf=open(sys.argv[1],'rb')\nprint('ready',flush=True)\n"
                u"time.sleep(60)\n"_s);
    EXPECT_EQ(fileInUse(path, Probe()), FileUse::OpenByProcess);
    // The process that is told to be ignored does not count.
    EXPECT_EQ(fileInUse(path, {pid_t(helper.processId()), false}), FileUse::Free);
    helper.kill();
    helper.waitForFinished();
    EXPECT_EQ(fileInUse(path, Probe()), FileUse::Free);
}

TEST(WindowTitle, NamesTheFileOnlyByItsFullName) {
    struct Case {
        const char16_t* title;
        bool names;
    } cases[] = {
        {u"a.txt - Text Editor", true},
        {u"A.TXT (read-only)", true},
        {u"Calendar", false},          // holds the letter a
        {u"a - LibreOffice", false},   // the title without the extension
        {u"data.txt.bak", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(titleNamesFile(QString::fromUtf16(c.title), u"a.txt"_s), c.names)
            << QString::fromUtf16(c.title).toStdString();
}

}  // namespace
