// End to end: the running client and a second start of the program, as a browser starts it for
// a page's check-out link. The second process hands web command 18 over; the running one
// checks the file out into the working folder mapped to its server folder, and the server then
// lists the file as checked out by the user.

#include "client/app/composition.h"
#include "client/mainwindow/mainwindow.h"
#include "client/webcommands/webmodule.h"
#include "core/globalconfig.h"
#include "core/paths.h"
#include "core/robottcpclient.h"
#include "documents/versions/hintfrmxe.h"
#include "documents/versions/records.h"
#include "documents/versions/versioncontrolfrm.h"
#include "support/temphome.h"
#include "testing/docserver/commands.h"
#include "testing/docserver/demo.h"
#include "testing/docserver/filechannel.h"

#include <gtest/gtest.h>
#include <QApplication>
#include <QCheckBox>
#include <QDeadlineTimer>
#include <QFile>
#include <QProcess>
#include <QPushButton>
#include <QUrl>

using namespace Qt::StringLiterals;
using namespace ov;

namespace {

QApplication& app() {
    static int argc = 1;
    static char name[] = "test_versions_e2e";
    static char* argv[] = {name, nullptr};
    static auto* application = new QApplication(argc, argv);
    return *application;
}

template <typename Condition>
bool processEventsUntil(Condition condition, int timeoutMs = 30000) {
    const QDeadlineTimer deadline(timeoutMs);
    while (!condition() && !deadline.hasExpired())
        app().processEvents(QEventLoop::AllEvents, 20);
    return condition();
}

// The page's check-out link of one file, as the browser hands it to the program.
QString CheckoutLink(std::int64_t key, const QString& name) {
    const QString cmd = u"[fileKeys]"_s + QString::number(key) + u"[/fileKeys][fileName]"_s + name +
                        u"[/fileName]"_s;
    return u"OvClient://-p%20[code]18[/code][cmd]"_s +
           QString::fromLatin1(QUrl::toPercentEncoding(cmd)) + u"[/cmd]/"_s;
}

}  // namespace

TEST(VersionsEndToEnd, ACheckOutLinkPutsTheFileInTheMappedFolderAndChecksItOut) {
    app();
    test::TempHome home;
    test::DocModel model;
    test::demo::LoadDemo(model);
    test::DocCommands commands(model);
    test::DocFileChannel files(model);
    test::DocServer server;
    commands.install(server);
    files.install(server);
    files.setContent(test::demo::GearboxFile, "gearbox drawing, version 1");
    {
        const auto config = RenewGlobalConfig();
        config->SetServerHost(server.host());
        config->SetServerPort(server.port());
        config->SetSysLanguage(HSL_ENG);
        config->SetUserId(test::demo::DemoUser);
        config->SetEncryptUserID(test::demo::DemoToken());
        ASSERT_TRUE(config->Save());
    }
    const QString mapped = home.file(u"mapped-mechanics/"_s);
    ASSERT_TRUE(WriteWorkPath(GetUserDataPath(), test::demo::MechanicsFolder, mapped));

    // The running instance, logged in; the user confirms the check-out dialog as it comes.
    TOvClient client;
    client.MainForm().Hooks().LoginOnActivate = nullptr;
    client.WebModule().ExecModal = [](QDialog& dialog) {
        if (auto* checkout = qobject_cast<TVersionControlFrm*>(&dialog))
            QObject::connect(checkout, &TVersionControlFrm::ready, checkout, [checkout] {
                checkout->CheckBox1->setChecked(false);
                checkout->btOk->click();
            });
        return dialog.exec();
    };
    ASSERT_TRUE(client.MainForm().ListenOnBus());
    client.MainForm().SetLogin(true);

    const QString name = u"齿轮箱.dwg"_s;
    QProcess second;
    second.setProcessChannelMode(QProcess::ForwardedChannels);
    second.start(QStringLiteral(OV_CLIENT_EXE), {CheckoutLink(test::demo::GearboxFile, name)});
    ASSERT_TRUE(processEventsUntil([&] { return second.state() == QProcess::NotRunning; }));
    EXPECT_EQ(second.exitCode(), 0);

    const QString local = mapped + name;
    ASSERT_TRUE(processEventsUntil([&] { return client.VersionLog().RowCount() > 0; }));
    EXPECT_EQ(client.VersionLog().RowText(0, 0), local);
    EXPECT_EQ(client.VersionLog().RowText(0, 1), u"Successfully checked out"_s);
    QFile file(local);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), QByteArray("gearbox drawing, version 1"));
    EXPECT_EQ(ReadCheckoutPath(GetUserDataPath(), test::demo::GearboxFile), local);

    // The server's own list of the folder names the demo user as the one who checked it out.
    TRobotTcpClient robot;
    robot.SetHost(server.host());
    robot.SetPort(server.port());
    robot.SetUserEncryptId(test::demo::DemoToken());
    const QString listing =
        robot.ListFolder(test::demo::DesignGroup, test::demo::MechanicsFolder, false);
    const QString line = u"%1*"_s.arg(test::demo::GearboxFile);
    const qsizetype at = listing.indexOf(line);
    ASSERT_GE(at, 0) << listing.toStdString();
    EXPECT_TRUE(listing.mid(at, listing.indexOf(u'\n', at) - at).contains(u"*演示用户*"_s))
        << listing.toStdString();
}
