#include "core/widgets/smtptestfrm.h"

#include "smtpserverprocess.h"
#include "support/temphome.h"

#include <gtest/gtest.h>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStyle>

using namespace ov;

namespace {

// The dialog with the port message box recorded instead of shown.
class TestableSmtpFrm : public TSmtpTestFrm {
public:
    QStringList shown;

protected:
    void showPortError(const QString& text, const QString& caption) override {
        shown << text << caption;
    }
};

QStringList items(const QComboBox* box) {
    QStringList list;
    for (int i = 0; i < box->count(); ++i)
        list << box->itemText(i);
    return list;
}

const QString Params = QStringLiteral(
    "[srv]127.0.0.1[/srv][port]%1[/port][ssl]%2[/ssl][add]me@example.cn[/add][pass]pw[/pass]");

}  // namespace

TEST(SmtpTestFrm, TextsInBothLanguages) {
    TSmtpTestFrm frm;
    EXPECT_EQ(frm.Language(), HSL_CN);
    EXPECT_EQ(frm.size(), QSize(781, 508));
    EXPECT_EQ(frm.windowTitle(), QStringLiteral("Mail测试"));
    EXPECT_EQ(frm.font().family(), QStringLiteral("宋体"));
    EXPECT_EQ(items(frm.cbAuthenticationType),
              (QStringList{QStringLiteral("空验证"), QStringLiteral("默认验证"),
                           QStringLiteral("服务器要求安全链接(SSL)")}));
    EXPECT_EQ(frm.cbAuthenticationType->currentIndex(), 1);
    EXPECT_EQ(frm.lbHost->text(), QStringLiteral("服务器地址或者IP："));
    EXPECT_EQ(frm.btMailTest->text(), QStringLiteral("发送测试邮件"));
    EXPECT_EQ(frm.gbMemo->title(), QStringLiteral("测试日志"));
    EXPECT_EQ(frm.edtPort->text(), QStringLiteral("25"));
    EXPECT_EQ(frm.edtPassword->echoMode(), QLineEdit::Password);
    EXPECT_EQ(frm.edtPassword->style()->styleHint(QStyle::SH_LineEdit_PasswordCharacter, nullptr,
                                                  frm.edtPassword),
              '*');

    frm.SetLanguage(HSL_ENG);
    EXPECT_EQ(frm.windowTitle(), QStringLiteral("Mail test"));
    EXPECT_EQ(frm.font().family(), QStringLiteral("Tahoma"));
    EXPECT_EQ(frm.font().pointSize(), 9);
    EXPECT_EQ(
        items(frm.cbAuthenticationType),
        (QStringList{QStringLiteral("None"), QStringLiteral("Default"), QStringLiteral("SSL")}));
    EXPECT_EQ(frm.cbAuthenticationType->currentIndex(), 1);
    EXPECT_EQ(frm.gbSMTP->title(), QStringLiteral("SMTP settings"));
    EXPECT_EQ(frm.lbAu->text(), QStringLiteral("Authentication:"));
    EXPECT_EQ(frm.lbRecipients->text(), QStringLiteral("Recipients:"));
    EXPECT_EQ(frm.btMailTest->text(), QStringLiteral("Send Mail"));
    EXPECT_EQ(frm.gbMemo->title(), QStringLiteral("Test Log"));
}

TEST(SmtpTestFrm, ParametersFillTheBoxes) {
    const std::pair<int, int> authToChoice[] = {{0, 0}, {1, 1}, {2, 2}, {7, 1}};
    for (const auto& [auth, choice] : authToChoice) {
        TSmtpTestFrm frm;
        frm.SetLanguage(HSL_ENG);
        frm.ParamInti(Params.arg(465).arg(auth));
        EXPECT_EQ(frm.cbAuthenticationType->currentIndex(), choice) << auth;
        EXPECT_EQ(frm.edtHost->text(), QStringLiteral("127.0.0.1"));
        EXPECT_EQ(frm.edtPort->text(), QStringLiteral("465"));
        EXPECT_EQ(frm.edtUserName->text(), QStringLiteral("me@example.cn"));
        EXPECT_EQ(frm.edtPassword->text(), QStringLiteral("pw"));
        EXPECT_EQ(frm.edtRecipients->text(), QStringLiteral("me@example.cn"));
        EXPECT_EQ(frm.edtSubject->text(),
                  QStringLiteral("E-mail test message from Document Management System"));
    }
    TSmtpTestFrm cn;
    cn.ParamInti(Params.arg(25).arg(1));
    EXPECT_EQ(cn.edtSubject->text(), QStringLiteral("文档管理系统邮件测试消息"));
    EXPECT_EQ(cn.memBody->toPlainText(),
              QStringLiteral("在测试您的SMTP设置时, 文档管理系统会自动发送该电子邮件。"));
}

TEST(SmtpTestFrm, PortThatReadsAsZeroStopsTheTest) {
    for (const char* port : {"", "0", "abc"}) {
        TestableSmtpFrm frm;
        frm.SetLanguage(HSL_ENG);
        frm.ParamInti(Params.arg(25).arg(0));
        frm.edtPort->setText(QLatin1String(port));
        frm.btMailTest->click();
        EXPECT_EQ(frm.shown, (QStringList{QStringLiteral("Port Error"), QStringLiteral("Hint")}));
        EXPECT_TRUE(frm.memLog->toPlainText().isEmpty());
        EXPECT_FALSE(frm.IsOk());
    }
    TestableSmtpFrm cn;
    cn.edtPort->setText(QString());
    cn.btMailTest->click();
    EXPECT_EQ(cn.shown,
              (QStringList{QStringLiteral("输入正确的服务器端口号"), QStringLiteral("提示")}));
}

TEST(SmtpTestFrm, FailedAndSuccessfulSendsAreLogged) {
    TestableSmtpFrm frm;
    frm.SetLanguage(HSL_ENG);
    frm.ParamInti(Params.arg(25).arg(0));
    frm.edtHost->clear();
    frm.btMailTest->click();
    EXPECT_FALSE(frm.IsOk());
    EXPECT_EQ(frm.ErrorInfo(), QStringLiteral("Incorrect SMPT host"));
    EXPECT_EQ(
        frm.memLog->toPlainText(),
        QStringLiteral("Parameter initialization    \nHost= Port=25 Account=me@example.cn    \n"
                       "Incorrect SMPT host    "));

    ov::test::TempHome home;
    ov::test::SmtpServerProcess server(home.path(), {});
    frm.ParamInti(Params.arg(server.port()).arg(0));
    frm.btMailTest->click();
    EXPECT_TRUE(frm.IsOk());
    EXPECT_TRUE(frm.ErrorInfo().isEmpty());
    EXPECT_TRUE(frm.memLog->toPlainText().endsWith(QStringLiteral("Sent successfully    ")));
    const QJsonObject message = server.events(QStringLiteral("message")).value(0);
    EXPECT_EQ(message[QStringLiteral("headers")].toObject()[QStringLiteral("Subject")].toString(),
              QStringLiteral("E-mail test message from Document Management System"));
}
