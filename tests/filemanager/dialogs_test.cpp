// The server address, password and message dialogs against the test server, and the start-up's
// wiring: a message poll that finds messages shows the notice, whose choice puts messages off.

#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTcpServer>

#include "client/app/composition.h"
#include "client/mainwindow/messagepoll.h"
#include "client/mainwindow/mainwindow.h"
#include "client/serverdialogs/httptext.h"
#include "client/serverdialogs/messagenoticefrm.h"
#include "client/serverdialogs/passwordfrm.h"
#include "client/serverdialogs/serverhostfrm.h"
#include "core/datetime.h"
#include "fixture.h"

using namespace Qt::StringLiterals;

namespace ov::test {
namespace {

class DialogsTest : public ::testing::TestWithParam<bool> {
protected:
    DialogsTest() : demo(GetParam()) {}
    FileManagerServer demo;
};

TEST_P(DialogsTest, PasswordChangeAndTheServersRefusal) {
    TUpdateUserPasswordFrm form;
    ModalAnswerer answerer(QMessageBox::Ok);
    form.edtOldPs->setText(u"wrong"_s);
    form.edtNewPs->setText(u"新密码 &=1"_s);
    form.edtNewPs2->setText(u"新密码 &=1"_s);
    form.btUpdate->click();
    ASSERT_TRUE(settled(form));
    EXPECT_EQ(answerer.texts.value(0), u"The original password is wrong."_s);
    form.edtOldPs->setText(demo::DemoPassword());
    form.btUpdate->click();
    ASSERT_TRUE(settled(form));
    EXPECT_EQ(answerer.texts.value(1), u"密码成功修改！"_s);
    EXPECT_EQ(demo.inModel([](DocModel& m) { return m.users.at(demo::DemoUser).password; }),
              u"新密码 &=1"_s);
    form.edtNewPs2->setText(u"other"_s);
    form.btUpdate->click();
    ASSERT_TRUE(settled(form));
    EXPECT_EQ(answerer.texts.value(2), u"二次输入的密码不相同！"_s);
}

TEST_P(DialogsTest, ServerAddressIsTestedAndStoredOnlyWhenReachable) {
    ModalAnswerer answerer(QMessageBox::Ok);
    {
        TSetServerHostFrm form;
        form.edtIp->setText(u"  127.0.0.1  "_s);
        form.edtPort->setText(QString::number(demo.server.port()));
        form.bbtConnect->click();
        ASSERT_TRUE(settled(form));
        EXPECT_EQ(answerer.texts.value(0), u"成功连接服务器！"_s);
        EXPECT_EQ(form.edtIp->text(), u"127.0.0.1"_s);
        for (const char16_t* port : {u"0", u"-1", u"80a"}) {
            form.edtPort->setText(QString::fromUtf16(port));
            form.bbtConnect->click();
            ASSERT_TRUE(settled(form));
            EXPECT_EQ(answerer.texts.last(), u"输入的端口错误，重新输入！"_s);
        }
    }
    QTcpServer closed;  // a port nobody answers on once it is closed
    ASSERT_TRUE(closed.listen(QHostAddress::LocalHost));
    const quint16 deadPort = closed.serverPort();
    closed.close();
    GlobalConfig()->SetServerHost(u"stays"_s);
    TSetServerHostFrm form;
    form.edtIp->setText(u"127.0.0.1"_s);
    form.edtPort->setText(QString::number(deadPort));
    form.bbtSave->click();
    ASSERT_TRUE(settled(form));
    EXPECT_EQ(answerer.texts.last(), u"连接服务器失败！"_s);
    EXPECT_EQ(GlobalConfig()->ServerHost(), u"stays"_s);
    TSetServerHostFrm again;
    again.edtIp->setText(u" 127.0.0.1 "_s);
    again.edtPort->setText(QString::number(demo.server.port()));
    again.bbtSave->click();
    ASSERT_TRUE(settled(again));
    EXPECT_EQ(GlobalConfig()->ServerHost(), u"127.0.0.1"_s);
    EXPECT_EQ(GlobalConfig()->ServerPort(), demo.server.port());
}

TEST_P(DialogsTest, AMessagePollThatFindsMessagesShowsTheNotice) {
    demo.inModel([](DocModel& m) { return m.users[demo::DemoUser].messages = {u"新版本"_s}; });
    TQUEXClientFrm window;
    ConnectServerDialogs(window);
    window.SetLoginServer(demo.server.host(), demo.server.port(), GetParam());
    GlobalConfig()->SetLastTimeOfViewMsg(Now() - 1);
    window.SetLogin(true);
    ASSERT_TRUE(waitUntil([&] {
        window.TimerMsgTimer();
        return window.messageNotice() != nullptr;
    }));
    auto* notice = qobject_cast<TMessageNoticeFrm*>(window.messageNotice());
    ASSERT_NE(notice, nullptr);
    QStringList opened;
    notice->OpenUrl = [&opened](const QString& url) { opened << url; };
    emit notice->Label1->linkActivated(u"#"_s);
    EXPECT_EQ(opened, QStringList{GlobalConfig()->ServerUrl() + u"/doc"_s});
    notice->rbDay->setChecked(true);
    const TDateTime before = Now();
    notice->Button1->click();
    EXPECT_NEAR(GlobalConfig()->LastTimeOfViewMsg(), before + 1, 0.001);
    EXPECT_TRUE(waitUntil([&] { return window.messageNotice() == nullptr; }));
    window.SetLogin(false);
}

TEST_P(DialogsTest, AServerPageThatNeverAnswersEndsWithAnError) {
    demo.http->setFault(HttpFault::Stall);
    QElapsedTimer clock;
    clock.start();
    const QString reply = HttpGetText(GlobalConfig()->ServerUrl() + u"/folderadd?opr=new"_s, 600);
    EXPECT_LT(clock.elapsed(), 5000);
    EXPECT_FALSE(reply.isEmpty());
    EXPECT_NE(reply, u"ok"_s);
    EXPECT_GT(kHttpTextTimeoutMs, 0) << "the panel's requests wait a bounded time as well";
}

INSTANTIATE_TEST_SUITE_P(PlainAndTls, DialogsTest, ::testing::Values(false, true));

TEST(MessageNotice, ClosesItselfAfterThirtySecondsAndUntouchedChangesNothing) {
    TempHome home;
    RenewGlobalConfig()->SetLastTimeOfViewMsg(0);
    QList<int> choices;
    QWidget area;
    QPointer<TMessageNoticeFrm> notice =
        new TMessageNoticeFrm([&choices](int c) { choices << c; }, &area);
    notice->show();
    QApplication::processEvents();
    EXPECT_TRUE(notice);
    notice->FDt = Now() - 31.0 / 86400;
    EXPECT_TRUE(waitUntil([&] { return notice.isNull(); }, 3000));
    EXPECT_TRUE(choices.isEmpty());

    QPointer<TMessageNoticeFrm> second =
        new TMessageNoticeFrm([&choices](int c) { choices << c; }, &area);
    second->Button1->click();
    EXPECT_TRUE(waitUntil([&] { return second.isNull(); }, 3000));
    EXPECT_TRUE(choices.isEmpty()) << "nothing checked: nothing posted";
    EXPECT_EQ(GlobalConfig()->LastTimeOfViewMsg(), 0);
}

}  // namespace
}  // namespace ov::test
