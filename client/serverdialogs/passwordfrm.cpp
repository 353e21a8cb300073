#include "client/serverdialogs/passwordfrm.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>

#include "client/serverdialogs/httptext.h"
#include "client/serverdialogs/requestworker.h"
#include "core/cipher.h"
#include "core/globalconfig.h"

using namespace Qt::StringLiterals;

namespace ov {

QString PasswordRequest(int userId, const QString& oldPassword, const QString& newPassword) {
    const QString text =
        u"[OldPs]"_s + oldPassword + u"[/OldPs][NewPs]"_s + newPassword + u"[/Newps]"_s;
    return EncryptStringByKey(text, QString::number(userId) + FixedCipherKey(), 3);
}

int PasswordRuleBroken(const QString& oldPassword, const QString& newPassword,
                       const QString& confirmation) {
    if (newPassword.size() < 4 || newPassword.size() > 20) return 1;
    if (newPassword != confirmation) return 2;
    if (newPassword == oldPassword) return 3;
    return 0;
}

TUpdateUserPasswordFrm::TUpdateUserPasswordFrm(QWidget* parent)
    : QDialog(parent), FHS_Language(GlobalConfig()->SysLanguage()) {
    setObjectName(u"UpdateUserPasswordFrm"_s);
    auto edit = [this](const QString& name) {
        auto* e = new QLineEdit(this);
        e->setObjectName(name);
        e->setEchoMode(QLineEdit::Password);
        return e;
    };
    auto label = [this](const QString& name) {
        auto* l = new QLabel(this);
        l->setObjectName(name);
        return l;
    };
    lbOldPs = label(u"lbOldPs"_s);
    lbNewPs = label(u"lbNewPs"_s);
    lbNewPs2 = label(u"lbNewPs2"_s);
    edtOldPs = edit(u"edtOldPs"_s);
    edtNewPs = edit(u"edtNewPs"_s);
    edtNewPs2 = edit(u"edtNewPs2"_s);
    btUpdate = new QPushButton(this);
    btUpdate->setObjectName(u"btUpdate"_s);
    btCancel = new QPushButton(this);
    btCancel->setObjectName(u"btCancel"_s);
    auto* form = new QFormLayout;
    form->addRow(lbOldPs, edtOldPs);
    form->addRow(lbNewPs, edtNewPs);
    form->addRow(lbNewPs2, edtNewPs2);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(btUpdate);
    buttons->addWidget(btCancel);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addLayout(buttons);
    LoadTexts();
    connect(btUpdate, &QPushButton::clicked, this, [this] { btUpdateClick(); });
    connect(btCancel, &QPushButton::clicked, this, &QDialog::reject);
}

void TUpdateUserPasswordFrm::LoadTexts() {
    const bool cn = FHS_Language == HSL_CN;
    WLS_Hint = cn ? u"提示"_s : u"Hint"_s;
    WLS_P1 = cn ? u"密码长度在4～20个字符之间！"_s
                : u"Password length must be between 4 and 20 characters!"_s;
    WLS_P2 = cn ? u"二次输入的密码不相同！"_s : u"The two passwords you entered do not match!"_s;
    WLS_P3 = cn ? u"新密码不能和原来的密码相同！"_s
                : u"New password can not be the same as the original password!"_s;
    WLS_OK = cn ? u"密码成功修改！"_s : u"Password successfully changed!"_s;
    setWindowTitle(cn ? u"密码修改"_s : u"Modify password"_s);
    lbOldPs->setText(cn ? u"原密码"_s : u"Old password:"_s);
    lbNewPs->setText(cn ? u"新密码"_s : u"New password:"_s);
    lbNewPs2->setText(cn ? u"密码确认"_s : u"Confirm:"_s);
    btUpdate->setText(cn ? u"修改"_s : u"Modify"_s);
    btCancel->setText(cn ? u"取消"_s : u"Cancel"_s);
    if (!cn) {
        QFont font(u"Tahoma"_s);
        font.setPointSize(9);
        setFont(font);
    }
}

void TUpdateUserPasswordFrm::btUpdateClick() {
    if (FBusy) return;
    const QString oldPs = edtOldPs->text(), newPs = edtNewPs->text();
    const int broken = PasswordRuleBroken(oldPs, newPs, edtNewPs2->text());
    if (broken != 0) {
        const QString text = broken == 1 ? WLS_P1 : broken == 2 ? WLS_P2 : WLS_P3;
        QMessageBox::critical(this, WLS_Hint, text);
        return;
    }
    const int userId = GlobalConfig()->UserId();
    const QString url = GlobalConfig()->ServerUrl() + u"/modifypass?opr=clientmps&userid="_s +
                        QString::number(userId) + u"&ps="_s +
                        PasswordRequest(userId, oldPs, newPs);
    FBusy = true;
    btUpdate->setEnabled(false);
    RunRequest<QString>(
        this, [url] { return HttpGetText(url); },
        [this](const QString& reply) {
            FBusy = false;
            btUpdate->setEnabled(true);
            if (reply == u"ok"_s) {
                QMessageBox::information(this, WLS_Hint, WLS_OK, QMessageBox::Ok);
                accept();
                return;
            }
            QMessageBox::information(this, QString(), reply);
        });
}

}  // namespace ov
