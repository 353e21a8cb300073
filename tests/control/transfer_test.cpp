// The control's transfers, capture and mail as a page drives them: ovctrl-host runs a script
// against the test server (and the loopback mail server); the desktop's opener is a recorder
// that writes down what it was asked to open.

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QImage>
#include <QJsonArray>
#include <QJsonObject>
#include <QRegularExpression>

#include "../mail/smtpserverprocess.h"
#include "core/cipher.h"
#include "core/paths.h"
#include "hostserver.h"
#include "support/temphome.h"

using namespace Qt::StringLiterals;

namespace ov::test {
namespace {

class ControlTransfers : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(registerControl().exitCode, 0);
    }

    HostRun script(const char* name, QStringList args) {
        args.prepend(QStringLiteral(OV_SCRIPTS_DIR "/") + QLatin1StringView(name));
        return host(args, env);
    }
    QStringList page() { return {server.address(), server.identity()}; }

    // A file in the demo user's folder.
    std::int64_t addFile(std::int64_t key, const QString& name, const QByteArray& content) {
        {
            std::lock_guard lock(server.model.mutex);
            DocFile file;
            file.key = key;
            file.folderId = demo::MyDocsFolder;
            file.name = name;
            server.model.files[key] = file;
        }
        server.files.setContent(key, content);
        return key;
    }
    // What the recorder was asked to open, one path a line.
    QStringList opened() const {
        QFile record(home.file(u"opened.txt"_s));
        if (!record.open(QIODevice::ReadOnly)) return {};
        return QString::fromUtf8(record.readAll()).split(u'\n', Qt::SkipEmptyParts);
    }
    static QString lineAfter(const QString& output, const QString& start) {
        const QRegularExpression line(u"^"_s + start + u" (.*)$"_s,
                                      QRegularExpression::MultilineOption);
        return line.match(output).captured(1);
    }

    TempHome home;
    Server server;
    QProcessEnvironment env = recorderEnvironment();

private:
    QProcessEnvironment recorderEnvironment() const {
        const QString bin = home.file(u"bin/"_s);
        QDir().mkpath(bin);
        QFile opener(bin + u"xdg-open"_s);
        opener.open(QIODevice::WriteOnly);
        opener.write("#!/bin/sh\nprintf '%s\\n' \"$1\" >> '" +
                     QFile::encodeName(home.file(u"opened.txt"_s)) + "'\n");
        opener.close();
        opener.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QProcessEnvironment e = QProcessEnvironment::systemEnvironment();
        e.insert(u"PATH"_s, bin + u':' + e.value(u"PATH"_s));
        e.insert(u"SANE_CONFIG_DIR"_s, QStringLiteral(OV_SANE_CONFIG));
        return e;
    }
};

// Without related files the file arrives as "name_dx.ext" after earlier copies went; with
// them, the user's choice comes along under each file's own name, inside the temporary folder
// whatever the names say; the key goes into the query encoded.
TEST_F(ControlTransfers, DownloadAndOpenWithAndWithoutRelatedFiles) {
    const QString temp = GetLocalTempPath();
    QFile old(temp + u"old_dx.txt"_s);
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.close();
    const std::int64_t plan = addFile(7001, u"plan.dwg"_s, "plan");
    const std::int64_t gear = addFile(7002, u"gear box.dwg"_s, "gear");
    addFile(7003, u"../../evil.prt"_s, "evil");
    addFile(7004, u"b part.prt"_s, "b");
    addFile(7005, u".."_s, "dots");
    DocHttpContent content = server.http->content();
    content.relatedFiles[gear] = {7003, 7004, 7005};
    server.http->setContent(content);
    const QString shots = home.file(u"shots/"_s);
    QDir().mkpath(shots);

    const HostRun run = script("downloadopen.js", page() << QString::number(plan)
                                                         << QString::number(gear) << shots
                                                         << u"1"_s);
    ASSERT_EQ(run.exitCode, 0) << run.output.toStdString();
    EXPECT_FALSE(QFile::exists(temp + u"old_dx.txt"_s));
    QFile copy(temp + u"plan_dx.dwg"_s);
    ASSERT_TRUE(copy.open(QIODevice::ReadOnly)) << run.output.toStdString();
    EXPECT_EQ(copy.readAll(), "plan");
    for (const char* name : {"gear box.dwg", "evil.prt", "b part.prt"})
        EXPECT_TRUE(QFile::exists(temp + QLatin1StringView(name))) << name;
    EXPECT_FALSE(QFile::exists(home.file(u"evil.prt"_s)));
    EXPECT_EQ(opened(), QStringList({temp + u"plan_dx.dwg"_s, temp + u"gear box.dwg"_s}));
    // The dialog, the refused name, the refused key.
    const QString texts = lineAfter(run.output, u"texts:"_s);
    EXPECT_EQ(texts, u"Hint: The file doesn't exist. / Select aligned files / Select aligned "
                     u"files / Hint: Invalid file name, not downloaded"_s);

    QList<QByteArray> targets;
    for (const HttpRequest& request : server.http->requests())
        if (request.path == "/getrelatedfiles") targets << request.target;
    ASSERT_EQ(targets.size(), 4);
    EXPECT_EQ(targets.first(), "/getrelatedfiles?filekey=7001%26filekey%3D7002");
}

// The clipboard's picture arrives as a JPEG file under the key and comes back as "N.jpg#"
// and its enciphered name; clipboard files go into the folder; two files download.
TEST_F(ControlTransfers, ClipboardPictureFilesAndBatchDownload) {
    const QString local = home.file(u"notes.txt"_s);
    QFile notes(local);
    ASSERT_TRUE(notes.open(QIODevice::WriteOnly));
    notes.write("some notes");
    notes.close();
    const HostRun run = script(
        "transfers.js", page() << QString::number(demo::ReportFile) << local
                               << QString::number(demo::DemoUser)
                               << QString::number(demo::MyDocsFolder)
                               << QString::number(demo::ReportFile) + u"|"_s +
                                      QString::number(demo::ManualFile)
                               << u"a&NBSP;report.docx|manual.pdf"_s);
    ASSERT_EQ(run.exitCode, 0) << run.output.toStdString();
    EXPECT_EQ(lineAfter(run.output, u"tag1"_s), u"1.jpg#"_s + EncryptString(u"1.jpg"_s, 3));
    EXPECT_EQ(lineAfter(run.output, u"tag2"_s), u"2.jpg#"_s + EncryptString(u"2.jpg"_s, 3));
    const QByteArray jpeg = server.files.content(demo::ReportFile);
    EXPECT_TRUE(jpeg.startsWith("\xFF\xD8\xFF"));
    EXPECT_EQ(QImage::fromData(jpeg, "JPG").size(), QSize(64, 48));

    std::lock_guard lock(server.model.mutex);
    const auto uploaded = std::find_if(server.model.files.begin(), server.model.files.end(),
                                       [](const auto& f) { return f.second.name == u"notes.txt"_s; });
    ASSERT_NE(uploaded, server.model.files.end());
    EXPECT_EQ(uploaded->second.folderId, demo::MyDocsFolder);
    EXPECT_EQ(lineAfter(run.output, u"downloaded"_s),
              QString::number(demo::ReportFile) + u","_s + QString::number(demo::ManualFile) +
                  u","_s);
}

TEST_F(ControlTransfers, ScanAndUploadWithTheTestScanner) {
    const HostRun run = script("capture.js", page() << QString::number(demo::DemoUser)
                                                    << QString::number(demo::MyDocsFolder));
    ASSERT_EQ(run.exitCode, 0) << run.output.toStdString();
    const QStringList keys = lineAfter(run.output, u"keys"_s).split(u',');
    ASSERT_EQ(keys.size(), 1) << run.output.toStdString();
    EXPECT_TRUE(server.files.content(keys[0].toLongLong()).startsWith("\xFF\xD8"));
    std::lock_guard lock(server.model.mutex);
    EXPECT_EQ(server.model.files.at(keys[0].toLongLong()).name, u"Scan.jpg"_s);
}

// The mail test dialog and a mail sent with the page's enciphered password reach the mail
// server; a wrong port comes back as text.
TEST_F(ControlTransfers, MailTestAndSend) {
    SmtpServerProcess mail(home.path(), {});
    const QString params = u"[srv]127.0.0.1[/srv][port]%1[/port][ssl]0[/ssl]"
                           u"[add]sender@example.cn[/add][displayname]文档[/displayname]"_s.arg(
                               mail.port());
    const HostRun run = script(
        "mail.js", {params + u"[pass]secret[/pass]"_s,
                    params + u"[pass]"_s + EncryptString(u"secret"_s, 3) + u"[/pass]"_s,
                    u"[srv]127.0.0.1[/srv][port]0[/port][add]sender@example.cn[/add]"_s});
    ASSERT_EQ(run.exitCode, 0) << run.output.toStdString();
    const QList<QJsonObject> messages = mail.events(u"message"_s);
    ASSERT_EQ(messages.size(), 2);
    EXPECT_EQ(messages[1][u"rcpt"_s].toArray().toVariantList(),
              QVariantList({u"ww@example.cn"_s}));
}

}  // namespace
}  // namespace ov::test
