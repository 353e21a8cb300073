#pragma once
// The password dialog: checks length and confirmation, sends the enciphered request to the
// server's page "/modifypass" (on a worker) and shows the server's answer.

#include <QDialog>

#include "core/types.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace ov {

// The request "[OldPs]old[/OldPs][NewPs]new[/Newps]" enciphered (key type 3) with the user id
// in decimal followed by the fixed key.
QString PasswordRequest(int userId, const QString& oldPassword, const QString& newPassword);
// The rule a new password breaks: 1 length outside 4..20, 2 confirmation differs, 3 same as
// the old one; 0 when it passes.
int PasswordRuleBroken(const QString& oldPassword, const QString& newPassword,
                       const QString& confirmation);

class TUpdateUserPasswordFrm : public QDialog {
    Q_OBJECT
public:
    explicit TUpdateUserPasswordFrm(QWidget* parent = nullptr);

    QLabel *lbOldPs, *lbNewPs, *lbNewPs2;
    QLineEdit *edtOldPs, *edtNewPs, *edtNewPs2;
    QPushButton *btUpdate, *btCancel;
    // The request still under way.
    bool Busy() const { return FBusy; }

private:
    void LoadTexts();
    void btUpdateClick();

    THS_Language FHS_Language;
    bool FBusy = false;
    QString WLS_Hint, WLS_P1, WLS_P2, WLS_P3, WLS_OK;
};

}  // namespace ov
