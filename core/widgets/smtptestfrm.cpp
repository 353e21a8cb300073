#include "core/widgets/smtptestfrm.h"

#include "core/smtpex.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace ov {

namespace {

QLabel* label(QWidget* parent) {
    return new QLabel(parent);
}

}  // namespace

TSmtpTestFrm::TSmtpTestFrm(QWidget* owner) : QDialog(owner) {
    resize(781, 508);
    setAutoFillBackground(true);
    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    setPalette(white);
    buildSettingsGroup();
    buildTestGroup();
    gbMemo = new QGroupBox(this);
    memLog = new QPlainTextEdit(gbMemo);
    memLog->setReadOnly(true);
    memLog->setFrameShape(QFrame::NoFrame);
    (new QVBoxLayout(gbMemo))->addWidget(memLog);

    auto* left = new QVBoxLayout;
    left->addWidget(gbSMTP);
    left->addWidget(gbMailTest, 1);
    auto* main = new QHBoxLayout(this);
    main->addLayout(left, 1);
    main->addWidget(gbMemo, 1);
    connect(btMailTest, &QPushButton::clicked, this, &TSmtpTestFrm::btMailTestClick);
    SetLanguage(HSL_CN);
}

void TSmtpTestFrm::buildSettingsGroup() {
    gbSMTP = new QGroupBox(this);
    auto* form = new QFormLayout(gbSMTP);
    lbHost = label(gbSMTP), lbPort = label(gbSMTP), lbUserName = label(gbSMTP);
    lbPassword = label(gbSMTP), lbAu = label(gbSMTP);
    edtHost = new QLineEdit(gbSMTP);
    edtPort = new QLineEdit(QStringLiteral("25"), gbSMTP);
    edtUserName = new QLineEdit(gbSMTP);
    edtPassword = new QLineEdit(gbSMTP);
    edtPassword->setEchoMode(QLineEdit::Password);
    edtPassword->setStyleSheet(QStringLiteral("lineedit-password-character: 42"));  // "*"
    cbAuthenticationType = new QComboBox(gbSMTP);
    form->addRow(lbHost, edtHost);
    form->addRow(lbPort, edtPort);
    form->addRow(lbUserName, edtUserName);
    form->addRow(lbPassword, edtPassword);
    form->addRow(lbAu, cbAuthenticationType);
}

void TSmtpTestFrm::buildTestGroup() {
    gbMailTest = new QGroupBox(this);
    auto* form = new QFormLayout(gbMailTest);
    lbRecipients = label(gbMailTest), lbSubject = label(gbMailTest), lbBody = label(gbMailTest);
    edtRecipients = new QLineEdit(gbMailTest);
    edtSubject = new QLineEdit(gbMailTest);
    memBody = new QPlainTextEdit(gbMailTest);
    btMailTest = new QPushButton(gbMailTest);
    form->addRow(lbRecipients, edtRecipients);
    form->addRow(lbSubject, edtSubject);
    form->addRow(lbBody, memBody);
    form->addRow(QString(), btMailTest);
}

void TSmtpTestFrm::SetLanguage(THS_Language value) {
    FLanguage = value;
    const bool cn = value == HSL_CN;
    auto text = [cn](const char16_t* chinese, const char16_t* english) {
        return QString::fromUtf16(cn ? chinese : english);
    };
    setFont(QFont(cn ? QStringLiteral("宋体") : QStringLiteral("Tahoma"), 9));
    setWindowTitle(text(u"Mail测试", u"Mail test"));
    gbSMTP->setTitle(text(u"SMTP设置", u"SMTP settings"));
    lbHost->setText(text(u"服务器地址或者IP：", u"Host or IP:"));
    lbPort->setText(text(u"服务器端口：", u"Port:"));
    lbUserName->setText(text(u"邮件地址：", u"Email:"));
    lbPassword->setText(text(u"密码：", u"Password:"));
    lbAu->setText(text(u"验证方式：", u"Authentication:"));
    cbAuthenticationType->clear();
    cbAuthenticationType->addItems(
        cn ? QStringList{QStringLiteral("空验证"), QStringLiteral("默认验证"),
                         QStringLiteral("服务器要求安全链接(SSL)")}
           : QStringList{QStringLiteral("None"), QStringLiteral("Default"), QStringLiteral("SSL")});
    cbAuthenticationType->setCurrentIndex(1);
    gbMailTest->setTitle(text(u"邮件测试", u"Mail test"));
    lbRecipients->setText(text(u"收件人：", u"Recipients:"));
    lbSubject->setText(text(u"邮件标题：", u"Subject:"));
    lbBody->setText(text(u"邮件内容：", u"Body:"));
    btMailTest->setText(text(u"发送测试邮件", u"Send Mail"));
    gbMemo->setTitle(text(u"测试日志", u"Test Log"));
}

QString TSmtpTestFrm::testSubject() const {
    return FLanguage == HSL_CN
               ? QStringLiteral("文档管理系统邮件测试消息")
               : QStringLiteral("E-mail test message from Document Management System");
}

QString TSmtpTestFrm::testBody() const {
    return FLanguage == HSL_CN
               ? QStringLiteral("在测试您的SMTP设置时, 文档管理系统会自动发送该电子邮件。")
               : QStringLiteral(
                     "The document management system will automatically send an "
                     "e-mail message while testing your SMTP settings.");
}

void TSmtpTestFrm::ParamInti(const QString& txt) {
    const TSmtpParams p = StrToSmtpParams(txt, false);
    edtHost->setText(p.Host);
    edtPort->setText(QString::number(p.Port));
    edtUserName->setText(p.Username);
    edtPassword->setText(p.PassWord);
    cbAuthenticationType->setCurrentIndex(p.AuthType == satSASL ? 2 : p.AuthType != 0 ? 1 : 0);
    edtRecipients->setText(p.Username);
    edtSubject->setText(testSubject());
    memBody->setPlainText(testBody());
}

void TSmtpTestFrm::showPortError(const QString& text, const QString& caption) {
    QMessageBox::critical(this, caption, text);
}

void TSmtpTestFrm::appendLog(const QString& msg) {
    memLog->appendPlainText(msg + QStringLiteral("    "));
}

void TSmtpTestFrm::btMailTestClick() {
    FErrorInfo.clear();
    const int port = edtPort->text().trimmed().toInt();
    if (port == 0) {
        const bool cn = FLanguage == HSL_CN;
        showPortError(cn ? QStringLiteral("输入正确的服务器端口号") : QStringLiteral("Port Error"),
                      cn ? QStringLiteral("提示") : QStringLiteral("Hint"));
        return;
    }
    const auto authType = std::uint8_t(std::max(0, cbAuthenticationType->currentIndex()));
    const TSmtpParams params{edtUserName->text(), QString(), edtPassword->text(),
                             edtHost->text(),     port,      authType};
    FIsOk = false;
    memLog->clear();
    TSmtpEx sender;
    sender.SetLanguage(FLanguage);
    sender.SetSmtpSrvParams(params);
    sender.SetOnSmtpMsg([this](TSmtpEx*, const QString& msg) { appendLog(msg); });
    try {
        FIsOk = sender.SendEx(edtRecipients->text(), QString(), QString(), edtSubject->text(),
                              memBody->toPlainText());
    } catch (const Error& e) {
        FErrorInfo = e.message();
        appendLog(FErrorInfo);
    }
}

}  // namespace ov
