// Code 14 fetches a server file into the temporary folder and opens it with the desktop's
// viewer, but never anything that would start a program, and never outside that folder.

#include <QDataStream>
#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include "client/webcommands/args.h"
#include "client/webcommands/opencopy.h"
#include "core/paths.h"
#include "fixture.h"
#include "support/trickleserver.h"
#include "testing/docserver/commands.h"
#include "testing/docserver/demo.h"
#include "testing/docserver/filechannel.h"

using namespace Qt::StringLiterals;
using namespace ov;

namespace {

class OpenCopy : public test::DispatchTest {
protected:
    void SetUp() override {
        test::DispatchTest::SetUp();
        test::demo::LoadDemo(model);
        commands.install(server);
        files.install(server);
        const auto config = GlobalConfig();
        config->SetServerHost(server.host());
        config->SetServerPort(server.port());
        config->SetEncryptUserID(test::demo::DemoToken());
        module->DownloadTimeoutMs = 3000;
        module->OpenDocument = [this](const QString& path) {
            opened << path;
            return openResult;
        };
    }

    // Runs code 14 and waits for its end (the download runs on a worker thread).
    void run14(const QString& cmd) {
        QSignalSpy done(module, &TWebModule::openCopyDone);
        module->Execute({14, cmd});
        if (done.isEmpty()) {
            ASSERT_TRUE(done.wait(30000));
        }
    }
    // Runs code 14 for the report file with these contents, under this name.
    void openReport(const QString& name, const QByteArray& data, const QString& more = {}) {
        files.setContent(test::demo::ReportFile, data);
        hideHint();
        run14(u"[filekey]%1[/filekey][filename]%2[/filename]"_s.arg(test::demo::ReportFile)
                  .arg(name) +
              more);
    }
    static QByteArray read(const QString& path) {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    test::DocModel model;
    test::DocCommands commands{model};
    test::DocFileChannel files{model};
    test::DocServer server;
    QStringList opened;
    bool openResult = true;
    const QString temp = GetLocalTempPath();
};

const QByteArray kPdf = "%PDF-1.4\n1 0 obj<<>>endobj\ntrailer<<>>\n%%EOF\n";

}  // namespace

TEST_F(OpenCopy, ACopyInTheTemporaryFolderIsOpenedAndEarlierCopiesGo) {
    QFile(temp + u"old_dx.doc"_s).open(QIODevice::WriteOnly);
    QDir(temp).mkdir(u"keep_dx.d"_s);

    openReport(u"报告.pdf"_s, kPdf, u"[filever]0[/filever]"_s);
    const QString copy = temp + u"报告_dx.pdf"_s;
    EXPECT_EQ(opened, QStringList{copy});
    EXPECT_EQ(read(copy), kPdf);
    EXPECT_EQ(QFile::permissions(copy),
              QFile::ReadOwner | QFile::WriteOwner | QFile::ReadUser | QFile::WriteUser);
    EXPECT_FALSE(QFile::exists(temp + u"old_dx.doc"_s));
    EXPECT_TRUE(QDir(temp + u"keep_dx.d"_s).exists());
    EXPECT_EQ(hint(), QString());
    // The server records a transfer after its last byte, maybe after the client is done.
    ASSERT_TRUE(QTest::qWaitFor([&] { return !files.transfers().empty(); }, 5000));
    EXPECT_TRUE(files.transfers().back().params.contains(u"[Versionid]0[/Versionid]"_s));
}

TEST_F(OpenCopy, NamesAreCutAtBothSeparators) {
    for (const QString& name :
         {u"..\\..\\evil.pdf"_s, u"../../x/evil.pdf"_s, u"a/..\\evil.pdf"_s}) {
        SCOPED_TRACE(name.toStdString());
        opened.clear();
        openReport(name, kPdf);
        EXPECT_EQ(opened, QStringList{temp + u"evil_dx.pdf"_s});
    }
    EXPECT_EQ(WebFileName(u"a\\b/c\x01.txt"_s), u"c.txt"_s);
    EXPECT_EQ(WebFileName(u"x/.."_s), QString());
}

TEST_F(OpenCopy, ProgramsAndUnknownTypesAreNeverOpened) {
    // By the name: nothing is even fetched.
    for (const QString& name : {u"run.desktop"_s, u"a.sh"_s, u"setup.exe"_s, u"a.py"_s,
                                u"page.html"_s, u"noext"_s, u"a."_s, u".pdf"_s}) {
        SCOPED_TRACE(name.toStdString());
        files.clearTransfers();
        openReport(name, kPdf);
        EXPECT_EQ(hint(), u"Failed to open the file"_s);
        EXPECT_TRUE(files.transfers().empty());
    }
    // By the contents: a launcher or a script under a document's name is fetched, not opened,
    // and deleted.
    const QByteArray launcher = "[Desktop Entry]\nType=Application\nExec=xterm\nName=x\n";
    for (const QByteArray& data :
         {launcher, QByteArray("#!/bin/sh\nrm -rf ~\n"), read(u"/bin/true"_s)}) {
        SCOPED_TRACE(data.left(20).toStdString());
        openReport(u"report.txt"_s, data);
        EXPECT_EQ(hint(), u"Failed to open the file"_s);
        EXPECT_FALSE(QFile::exists(temp + u"report_dx.txt"_s));
    }
    EXPECT_TRUE(opened.isEmpty());
    EXPECT_TRUE(IsSafeCopyExt(u"DOCX"_s));
    EXPECT_FALSE(IsSafeCopyExt(u"desktop"_s));
}

TEST_F(OpenCopy, FailuresShowTheirText) {
    module->Execute({14, u"[filekey]0[/filekey][filename]a.pdf[/filename]"_s});
    EXPECT_EQ(hint(), u"File parameter error!"_s);

    hideHint();
    run14(u"[filekey]987654[/filekey][filename]a.pdf[/filename]"_s);
    EXPECT_FALSE(hint().isEmpty());
    EXPECT_NE(hint(), u"Failed to open the file"_s);

    openResult = false;
    openReport(u"a.pdf"_s, kPdf);
    EXPECT_EQ(hint(), u"Failed to open the file"_s);
}

// A server that trickles the copy holds neither the user interface nor the queue for ever: the
// timers keep running meanwhile, the next command waits for the end, and leaving the
// dispatcher lets go of the download.
TEST_F(OpenCopy, ATricklingDownloadLeavesTheUserInterfaceLive) {
    QByteArray reply;
    QDataStream wire(&reply, QIODevice::WriteOnly);
    wire << qint32(10);
    wire.writeRawData("46002500000000\r\n", 16);
    wire << qint64(0) << qint64(100000);
    reply += QByteArray(4000, 'd');
    test::TrickleServer slow(reply, 36, 20);
    GlobalConfig()->SetServerPort(slow.port());

    int ticks = 0;
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, [&] { ++ticks; });
    timer.start(20);
    module->Execute(
        {14, u"[filekey]%1[/filekey][filename]slow.pdf[/filename]"_s.arg(test::demo::ReportFile)});
    EXPECT_TRUE(module->IsOpeningCopy());
    WebCommand().Add({14, u"[filekey]1[/filekey][filename]next.pdf[/filename]"_s});
    // The loop runs: ten ticks of 20 ms come while the copy trickles (on a loaded machine
    // later than 200 ms, but long before the trickle ends).
    EXPECT_TRUE(QTest::qWaitFor([&] { return ticks >= 10; }, 5000)) << ticks;
    EXPECT_TRUE(module->IsOpeningCopy());
    EXPECT_FALSE(module->RunQueuedCommand());  // the next command waits
    EXPECT_TRUE(opened.isEmpty());
    WebCommand().Clear();
}
