// The login dialog's controls, their places and their texts in both languages.

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "client/login/loginfrm.h"

using namespace Qt::StringLiterals;

namespace ov {

namespace {

// The dialog is laid out by pixel, as its captions were fitted to it.
constexpr int kWidth = 390;
constexpr int kHeight = 318;
constexpr int kLabelX = 14;
constexpr int kEditX = 84;
constexpr int kEditWidth = 140;
constexpr int kRowHeight = 22;

QLabel* label(QWidget* parent, const char* name, int x, int y) {
    auto text = new QLabel(parent);
    text->setObjectName(QString::fromLatin1(name));
    text->move(x, y + 3);
    return text;
}

QLineEdit* edit(QWidget* parent, const char* name, int x, int y, int width) {
    auto line = new QLineEdit(parent);
    line->setObjectName(QString::fromLatin1(name));
    line->setGeometry(x, y, width, kRowHeight);
    return line;
}

QCheckBox* checkBox(QWidget* parent, const char* name, int x, int y, int width) {
    auto box = new QCheckBox(parent);
    box->setObjectName(QString::fromLatin1(name));
    box->setGeometry(x, y, width, kRowHeight);
    return box;
}

}  // namespace

void TLoginFrm::BuildForm() {
    setObjectName(u"LoginFrm"_s);
    setWindowFlags(Qt::Dialog | Qt::WindowStaysOnTopHint | Qt::MSWindowsFixedSizeDialogHint |
                   Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setFixedSize(kWidth, kHeight);
    gbServer = new QGroupBox(this);
    gbServer->setObjectName(u"GroupBox1"_s);
    gbServer->setGeometry(10, 8, kWidth - 20, 92);
    BuildServerGroup(gbServer);
    gbUser = new QGroupBox(this);
    gbUser->setObjectName(u"GroupBox2"_s);
    gbUser->setGeometry(10, 108, kWidth - 20, 158);
    BuildUserGroup(gbUser);
    btnLogin = new QPushButton(this);
    btnLogin->setObjectName(u"Button1"_s);
    btnLogin->setGeometry(kWidth - 190, kHeight - 40, 84, 28);
    btnLogin->setDefault(true);
    btnCancel = new QPushButton(this);
    btnCancel->setObjectName(u"Button2"_s);
    btnCancel->setGeometry(kWidth - 96, kHeight - 40, 84, 28);
}

void TLoginFrm::BuildServerGroup(QGroupBox* group) {
    lbAddress = label(group, "Label5", kLabelX, 24);
    edtIp = edit(group, "edtIp", kEditX, 24, kEditWidth);
    lbPort = label(group, "Label4", 238, 24);
    edtPort = edit(group, "edtPort", 292, 24, 60);
    edtPort->setText(u"80"_s);
    chbSSL = checkBox(group, "chbSSL", kLabelX, 56, kWidth - 50);
}

void TLoginFrm::BuildUserGroup(QGroupBox* group) {
    lbUserName = label(group, "Label1", kLabelX, 24);
    edtNickName = edit(group, "edtNickName", kEditX, 24, kEditWidth);
    lbUserNameHint = label(group, "Label3", kEditX + kEditWidth + 8, 24);
    lbPassword = label(group, "Label2", kLabelX + 5, 56);
    edtPass = edit(group, "edtPass", kEditX, 56, kEditWidth);
    edtPass->setEchoMode(QLineEdit::Password);
    chkAutoLogin = checkBox(group, "chkAutoLogin", kLabelX, 90, kWidth - 50);
    chbAutoRun = checkBox(group, "chbAutoRun", kLabelX, 120, 200);
    lbShortcut = label(group, "lbShortcut", 226, 120);
    lbShortcut->setCursor(Qt::PointingHandCursor);
    lbShortcut->setTextInteractionFlags(Qt::LinksAccessibleByMouse);
}

void TLoginFrm::LoadLangStrings() {
    const bool english = FHS_Language == HSL_ENG;
    const auto pick = [english](const QString& cn, const QString& en) { return english ? en : cn; };
    setFont(english ? QFont(u"Tahoma"_s, 9) : QFont(u"宋体"_s, 9));
    WLS_Hint = pick(u"提示"_s, u"Hint"_s);
    setWindowTitle(pick(u"登录"_s, u"Login"_s));
    gbServer->setTitle(pick(u"服务器连接参数"_s, u"Server's connection parameters"_s));
    lbAddress->setText(pick(u"地址："_s, u"Address:"_s));
    lbPort->setText(pick(u"端口："_s, u"Port:"_s));
    chbSSL->setText(
        pick(u"此服务器要求安全连接SSL"_s, u"This server requires a secure connection (SSL). "_s));
    gbUser->setTitle(pick(u"用户登录参数"_s, u"User log parameters"_s));
    lbUserName->setText(pick(u"用户名："_s, u"User Name:"_s));
    lbUserNameHint->setText(pick(u"用户名或者电子邮件"_s, u"Username or E-mail "_s));
    lbPassword->setText(pick(u"密码："_s, u"Password:"_s));
    chkAutoLogin->setText(pick(u"用此用户信息自动登录系统"_s, u"Automatically login"_s));
    chbAutoRun->setText(pick(u"开机自动启动"_s, u"Boot automatically activated"_s));
    const QString link = pick(u"创建桌面快捷方式"_s, u"Create shortcut"_s);
    lbShortcut->setText(u"<a href=\"shortcut\" style=\"color:#000080;\">"_s + link.toHtmlEscaped() +
                        u"</a>"_s);
    btnLogin->setText(pick(u"登录"_s, u"Login"_s));
    btnCancel->setText(pick(u"取消"_s, u"Cancel"_s));
    if (english) {
        lbPort->move(lbPort->x() + 20, lbPort->y());
        lbPassword->move(lbPassword->x() - 5, lbPassword->y());
    }
    for (QLabel* text : {lbUserName, lbPassword, lbUserNameHint, lbPort, lbAddress, lbShortcut})
        text->adjustSize();
}

}  // namespace ov
