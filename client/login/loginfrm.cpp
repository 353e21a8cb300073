#include "client/login/loginfrm.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>

#include "client/desktop/autorun.h"
#include "client/desktop/programpath.h"
#include "client/desktop/shortcut.h"
#include "core/globalconfig.h"

using namespace Qt::StringLiterals;

namespace ov {

TLoginFrm::TLoginFrm(QWidget* owner) : QDialog(owner), FHS_Language(GlobalConfig()->SysLanguage()) {
    setAttribute(Qt::WA_DeleteOnClose);
    setModal(true);
    BuildForm();
    LoadLangStrings();
    chbAutoRun->setChecked(IsAutoRunSet(ProgramPath()));
    connect(btnLogin, &QPushButton::clicked, this, &TLoginFrm::btnLoginClick);
    connect(btnCancel, &QPushButton::clicked, this, &TLoginFrm::close);
    connect(chbSSL, &QCheckBox::clicked, this, [this] {
        chbSSLClick();
        emit serverEdited();
    });
    connect(chkAutoLogin, &QCheckBox::clicked, this, &TLoginFrm::chkAutoLoginClick);
    connect(lbShortcut, &QLabel::linkActivated, this, &TLoginFrm::lbShortcutClick);
    connect(edtIp, &QLineEdit::textEdited, this, &TLoginFrm::serverEdited);
    connect(edtPort, &QLineEdit::textEdited, this, &TLoginFrm::serverEdited);
    connect(this, &QDialog::finished, this, [this] { emit loginClosed(FIsLogined); });
}

void TLoginFrm::SetSSLChecked(bool checked) {
    if (chbSSL->isChecked() == checked) return;
    chbSSL->setChecked(checked);
    chbSSLClick();
}

void TLoginFrm::SetAutoLoginChecked(bool checked) {
    chkAutoLogin->setChecked(checked);
    // The stored choice always follows the box shown: a choice left behind by a cancelled
    // dialog must not save the password while the box is unticked.
    chkAutoLoginClick();
}

void TLoginFrm::reject() {
    if (!m_busy) QDialog::reject();
}

void TLoginFrm::closeEvent(QCloseEvent* event) {
    // An attempt under way is waited for: its outcome decides what the dialog returns.
    if (m_busy)
        event->ignore();
    else
        QDialog::closeEvent(event);
}

void TLoginFrm::btnLoginClick() {
    if (m_busy) return;
    SetAutoRun(chbAutoRun->isChecked(), ProgramPath());
    if (!FOnLogin) return;
    SetBusy(true);
    FOnLogin([this](bool logined) {
        SetBusy(false);
        FIsLogined = logined;
        if (FIsLogined) accept();
    });
}

void TLoginFrm::SetBusy(bool busy) {
    m_busy = busy;
    btnLogin->setEnabled(!busy);
    btnCancel->setEnabled(!busy);
    if (busy)
        setCursor(Qt::WaitCursor);
    else
        unsetCursor();
}

void TLoginFrm::chbSSLClick() {
    const QString port = edtPort->text();
    if (chbSSL->isChecked() && port == u"80"_s)
        edtPort->setText(u"443"_s);
    else if (!chbSSL->isChecked() && port == u"443"_s)
        edtPort->setText(u"80"_s);
}

void TLoginFrm::chkAutoLoginClick() {
    const auto config = GlobalConfig();
    config->SetSaveLoginInfo(chkAutoLogin->isChecked());
    config->SetSavePassword(chkAutoLogin->isChecked());
    config->Save();
}

void TLoginFrm::lbShortcutClick() {
    const bool english = FHS_Language == HSL_ENG;
    const QString name = english ? u"Orvane Client"_s : u"Orvane文档管理客户端"_s;
    const bool created = CreateShortcut(ProgramPath(), name, QString(), -1);
    // A shortcut that could not be written is said so, not reported as created.
    QString text = english ? u"Create shortcut successfully"_s : u"成功创建桌面快捷方式"_s;
    if (!created) text = english ? u"Failed to create the shortcut"_s : u"创建桌面快捷方式失败"_s;
    auto box = new QMessageBox(created ? QMessageBox::Information : QMessageBox::Warning, WLS_Hint,
                               text, QMessageBox::Ok, this);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->open();
}

}  // namespace ov
