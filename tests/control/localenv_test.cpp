// The local computer through the control: the hosts file, processes, adapters, the user.

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <functional>

#include "control/members/filescopyfrm.h"
#include "control/members/hostsfile.h"
#include "control/members/members.h"
#include "controlfixture.h"
#include "core/cipher.h"
#include "core/datetime.h"
#include "platform/adapters.h"
#include "platform/processes.h"
#include "platform/registry.h"

using namespace Qt::StringLiterals;
using namespace ov;
using namespace ov::control;
using ov::test::ControlTest;

namespace {

class HostsTest : public ControlTest {
protected:
    void SetUp() override {
        ControlTest::SetUp();
        ASSERT_TRUE(dir.isValid());
        path = dir.filePath(u"hosts"_s);
        SetHostsFilePath(path);
    }
    void TearDown() override {
        SetHostsFilePath({});
        ControlTest::TearDown();
    }
    void write(const QByteArray& text) {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text);
    }
    QByteArray read(const QString& name) {
        QFile file(name);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(missing)");
    }
    QTemporaryDir dir;
    QString path;
};

const QByteArray kHosts =
    "127.0.0.1\tlocalhost\n"
    "10.0.0.11 far.example # 10.0.0.1 old\n"
    "# 10.0.0.1 commented\n"
    "10.0.0.1   near.example  alias\r\n"
    "192.168.1.9 doc.server";  // last line without an end

TEST_F(HostsTest, LookupsParseLinesAndFields) {
    write(kHosts);
    struct Case {
        QString ip, host;
    } byIp[] = {{u"10.0.0.1"_s, u"near.example alias"_s},
                {u"10.0.0.11"_s, u"far.example"_s},
                {u"192.168.1.9"_s, u"doc.server"_s},
                {u"10.0.0"_s, u""_s},
                {u"old"_s, u""_s}};
    for (const Case& c : byIp)
        EXPECT_EQ(members::GetMapHost(*form, c.ip), c.host) << c.ip.toStdString();
    Case byHost[] = {{u"127.0.0.1"_s, u"localhost"_s},
                     {u"10.0.0.1"_s, u"ALIAS"_s},
                     {u"192.168.1.9"_s, u"doc.server"_s},
                     {u""_s, u"local"_s},
                     {u""_s, u"commented"_s},
                     {u""_s, u"example"_s}};
    for (const Case& c : byHost)
        EXPECT_EQ(members::GetMapHostIp(*form, c.host), c.ip) << c.host.toStdString();
    SetHostsFilePath(dir.filePath(u"none"_s));
    EXPECT_EQ(members::GetMapHost(*form, u"127.0.0.1"_s), u""_s);
}

TEST_F(HostsTest, MappingReplacesOnlyTheHostAndKeepsABackup) {
    const QByteArray marker = "\n#访问Orvane文档管理系统的快捷IP解析\n";
    const QByteArray head =
        "127.0.0.1\tlocalhost\n10.0.0.11 far.example # 10.0.0.1 old\n"
        "# 10.0.0.1 commented\n";
    struct Case {
        const char* ip;
        const char* host;
        QByteArray before, expected;
    } cases[] = {
        // "local" is no exact match of "localhost"; CR LF becomes LF.
        {"10.0.0.5", "local", kHosts,
         head + "10.0.0.1   near.example  alias\n192.168.1.9 doc.server\n" + marker +
             "10.0.0.5\tlocal\n"},
        // An alias is taken off its entry, the entry's other names stay.
        {"10.0.0.6", "alias", kHosts,
         head + "10.0.0.1\tnear.example\n192.168.1.9 doc.server\n" + marker + "10.0.0.6\talias\n"},
        // The earlier mapping and its marker go; one empty line stays before the new one.
        {"10.0.0.7", "doc.server", head + marker + "192.168.1.9\tdoc.server\n\n\n",
         head + marker + "10.0.0.7\tdoc.server\n"},
    };
    for (const Case& c : cases) {
        write(c.before);
        EXPECT_EQ(members::SetMapHost(*form, QString::fromUtf8(c.ip), QString::fromUtf8(c.host)),
                  1);
        EXPECT_EQ(read(path), c.expected) << c.host;
        EXPECT_EQ(read(path + u".bak"_s), c.before) << c.host;
        // The same pair again changes nothing but the backup.
        members::SetMapHost(*form, QString::fromUtf8(c.ip), QString::fromUtf8(c.host));
        EXPECT_EQ(read(path), c.expected) << c.host;
        EXPECT_EQ(read(path + u".bak"_s), c.expected) << c.host;
        EXPECT_EQ(members::GetMapHostIp(*form, QString::fromUtf8(c.host)), QString::fromUtf8(c.ip));
    }
}

TEST_F(HostsTest, MappingFailsClearlyAndChangesNothing) {
    write(kHosts);
    for (const auto& [ip, host] : {std::pair{u"1.2.3.4"_s, u"a\nevil"_s}, std::pair{u""_s, u"a"_s},
                                   std::pair{u"1.2.3.4"_s, u"a b"_s}})
        EXPECT_THROW(members::SetMapHost(*form, ip, host), ovcom::OleError);
    EXPECT_EQ(read(path), kHosts);
    SetHostsFilePath(dir.filePath(u"missing/hosts"_s));
    EXPECT_THROW(members::SetMapHost(*form, u"1.2.3.4"_s, u"a"_s), ovcom::OleError);
}

TEST(LocalProcesses, TaskKillEndsEveryProcessOfThatNameOnly) {
    QTemporaryDir dir;
    const QString helper = dir.filePath(u"OvKillMe-Helper"_s);
    const QString other = dir.filePath(u"OvKillMe-Helper2"_s);
    ASSERT_TRUE(QFile::copy(u"/bin/sleep"_s, helper) && QFile::copy(u"/bin/sleep"_s, other));
    QProcess first, second, bystander;
    for (QProcess* p : {&first, &second})
        p->start(helper, {u"30"_s});
    bystander.start(other, {u"30"_s});
    for (QProcess* p : {&first, &second, &bystander})
        ASSERT_TRUE(p->waitForStarted());
    EXPECT_EQ(platform::endProgram(u"ovkillme-HELPER"_s), 2);
    EXPECT_TRUE(first.waitForFinished(5000) && second.waitForFinished(5000));
    EXPECT_EQ(bystander.state(), QProcess::Running);
    bystander.kill();
    bystander.waitForFinished();
}

TEST(LocalProcesses, RunWithPipeCapturesOutputExitCodeAndKeepsTheTimeLimit) {
    const auto big = platform::runWithPipe(
        u"/bin/sh"_s, {u"-c"_s, u"head -c 3000000 /dev/zero; echo err >&2; exit 3"_s},
        QDir::tempPath(), 20000);
    EXPECT_TRUE(big.finished);
    EXPECT_EQ(big.exitCode, 3);
    EXPECT_EQ(big.output.size(), 3000004);
    EXPECT_TRUE(big.output.endsWith("err\n"));

    const auto capped = platform::runWithPipe(
        u"/bin/sh"_s, {u"-c"_s, u"head -c 100000 /dev/zero"_s}, QDir::tempPath(), 20000, 1000);
    EXPECT_TRUE(capped.finished);
    EXPECT_EQ(capped.output.size(), 1000);

    QElapsedTimer timer;
    timer.start();
    const auto slow = platform::runWithPipe(u"/bin/sh"_s, {u"-c"_s, u"echo begun; sleep 30"_s},
                                            QDir::tempPath(), 500);
    EXPECT_FALSE(slow.finished);
    EXPECT_LT(timer.elapsed(), 10000);
    EXPECT_EQ(slow.output, "begun\n");
    EXPECT_FALSE(platform::runWithPipe(u"/no/such/program"_s, {}, QDir::tempPath(), 1000).finished);
}

TEST_F(ControlTest, MacsUserAndModifyTime) {
    platform::setAdapterSource([] {
        return std::optional<platform::AdapterList>(platform::AdapterList{
            {QByteArray::fromHex("001122aabbcc"), {u"10.1.2.3"_s, u"0.0.0.0"_s}},
            {QByteArray::fromHex("0a0b0c0d0e0f"), {u"192.168.0.7"_s}}});
    });
    const QString expected = u"10.1.2.3  00-11-22-AA-BB-CC;192.168.0.7  0A-0B-0C-0D-0E-0F;"_s;
    EXPECT_EQ(members::GetMacs(*form), expected);
    EXPECT_EQ(members::GetEncryptedMacs(*form), EncryptString(expected, 3));
    platform::setAdapterSource({});

    const auto id = platform::runWithPipe(u"id"_s, {u"-un"_s}, QDir::tempPath(), 10000);
    EXPECT_EQ(members::GetCurrentUserName(*form), QString::fromLocal8Bit(id.output).trimmed());
    EXPECT_FALSE(members::GetCurrentUserName(*form).isEmpty());

    const QString file = home.path() + u"/stamp.txt"_s;
    const QDateTime when(QDate(2024, 3, 5), QTime(14, 7, 9));
    QFile stamp(file);
    ASSERT_TRUE(stamp.open(QIODevice::ReadWrite) &&
                stamp.setFileTime(when, QFileDevice::FileModificationTime));
    stamp.close();
    EXPECT_EQ(members::GetFileModifyTime(*form, file), DateTimeToText(QDateTimeToDateTime(when)));
}

TEST_F(ControlTest, FileAccessPowerMakesTheServerTrustedAndTestsWriting) {
    using platform::Hive;
    using platform::Registry;
    const QString zoneMap =
        u"Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings\\ZoneMap"_s;
    // Without the zone map nothing is written; the write test still runs.
    form->FServerHost = u"10.2.3.4"_s;
    EXPECT_EQ(call(u"FileAccessPower"_s, ovcom::DISPATCH_PROPERTYGET), ovcom::S_OK);
    EXPECT_EQ(result.i4(), 9999);
    EXPECT_FALSE(Registry::keyExists(Hive::CurrentUser, zoneMap));

    ASSERT_TRUE(Registry::createKey(Hive::CurrentUser, zoneMap));
    form->FServerHost = u"192.168.1.5"_s;
    EXPECT_EQ(members::get_FileAccessPower(*form), 9999);
    const QString range = zoneMap + u"\\Ranges\\192_168_1_5"_s;
    EXPECT_EQ(Registry::readString(Hive::CurrentUser, range, u":Range"_s), u"192.168.1.5"_s);
    EXPECT_EQ(Registry::readDword(Hive::CurrentUser, range, u"http"_s), 2u);
    form->FServerHost = u"a.b.c"_s;
    members::get_FileAccessPower(*form);
    EXPECT_EQ(Registry::readDword(Hive::CurrentUser, zoneMap + u"\\Domains\\b.c\\a"_s, u"http"_s),
              2u);
    EXPECT_TRUE(QFile::exists(GlobalConfig()->ConfigPath() + u"PowerTest.txt"_s));
}

// Closes each message box that comes up while `action` runs, keeping its text.
QStringList answeringBoxes(const std::function<void()>& action) {
    QStringList texts;
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, [&texts] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            texts << box->text();
            box->accept();
        }
    });
    timer.start(20);
    action();
    return texts;
}

TEST_F(ControlTest, FilesCopyCopiesOverTheDestinationOrSaysWhy) {
    const QString source = home.path() + u"/source.bin"_s;
    const QString dest = home.path() + u"/dest.bin"_s;
    QFile file(source);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(QByteArray(300000, 'x'));
    file.close();
    struct Case {
        QString src, dest, message;
    } cases[] = {
        {source, dest, {}},
        {source, dest, {}},  // again, over the copy
        {home.path() + u"/none"_s, dest, u"“"_s + home.path() + u"/none” 文件不存在！"_s},
        {home.path(), dest, u"“"_s + home.path() + u"” 文件不存在！"_s},
        {source, home.path() + u"/no/dest.bin"_s,
         u"拷贝文件 “"_s + source + u"” 到 “"_s + home.path() + u"/no/dest.bin” 失败！"_s},
    };
    for (const Case& c : cases) {
        TFilesCopyFrm dialog(form);
        dialog.edtSrc->setText(c.src);
        dialog.edtDest->setText(c.dest);
        auto* copy = dialog.findChild<QPushButton*>(u"Button3"_s);
        ASSERT_TRUE(copy && copy->text() == u"copy"_s);
        const QStringList texts = answeringBoxes([&] {
            copy->click();
            QTRY_VERIFY(copy->isEnabled());
            QTest::qWait(100);
        });
        EXPECT_EQ(texts, c.message.isEmpty() ? QStringList() : QStringList{c.message});
        QFile copied(dest);
        ASSERT_TRUE(copied.open(QIODevice::ReadOnly));
        EXPECT_EQ(copied.readAll(), QByteArray(300000, 'x'));
    }
    EXPECT_EQ(QDir(home.path()).entryList(QDir::Hidden | QDir::Files).filter(u".copy-"_s),
              QStringList());  // no temporary file left

    // The member shows the dialog with the page's paths.
    QString shown;
    QTimer::singleShot(100, [&shown] {
        auto* dialog = qobject_cast<TFilesCopyFrm*>(QApplication::activeModalWidget());
        if (!dialog) return;
        shown = dialog->edtSrc->text() + u"|"_s + dialog->edtDest->text();
        dialog->reject();
    });
    members::FilesCopy(*form, u"/a/b"_s, u"/c/d"_s);
    EXPECT_EQ(shown, u"/a/b|/c/d"_s);
}

}  // namespace
