#pragma once
// The login dialog: server address, port and secure connection, the user's name and password,
// automatic login, starting with the desktop session, and a link that puts a shortcut on the
// desktop. It lives for one login: modal, on top, and freed when it closes.

#include <QDialog>
#include <functional>

#include "core/types.h"

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace ov {

class TLoginFrm : public QDialog {
    Q_OBJECT
public:
    // The login itself: called with a callback that it must call once with the outcome
    // (true: logged in), possibly later, from the event loop.
    using TLoginEvent = std::function<void(std::function<void(bool)> done)>;

    explicit TLoginFrm(QWidget* owner);

    void SetOnLogin(TLoginEvent handler) { FOnLogin = std::move(handler); }
    // The outcome of the last login attempt; false until one succeeded.
    bool IsLogined() const { return FIsLogined; }
    // Whether a login attempt is under way (the dialog cannot be closed meanwhile).
    bool IsBusy() const { return m_busy; }

    // Filling the boxes from code runs their click handlers, as a click by the user would: the
    // SSL box where its state changes, the automatic-login box always (the stored choice then
    // matches the box).
    void SetSSLChecked(bool checked);
    void SetAutoLoginChecked(bool checked);

    QLineEdit* edtIp = nullptr;
    QLineEdit* edtPort = nullptr;
    QCheckBox* chbSSL = nullptr;
    QLineEdit* edtNickName = nullptr;
    QLineEdit* edtPass = nullptr;
    QCheckBox* chkAutoLogin = nullptr;
    QCheckBox* chbAutoRun = nullptr;
    QLabel* lbShortcut = nullptr;
    QPushButton* btnLogin = nullptr;
    QPushButton* btnCancel = nullptr;

    QString HintCaption() const { return WLS_Hint; }

signals:
    // The dialog has closed; `logined` is the outcome of its last login attempt.
    void loginClosed(bool logined);
    // The user changed the server address, port or secure-connection choice.
    void serverEdited();

public slots:
    void reject() override;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void BuildForm();
    void BuildServerGroup(QGroupBox* group);
    void BuildUserGroup(QGroupBox* group);
    void LoadLangStrings();
    void btnLoginClick();
    void chbSSLClick();
    void chkAutoLoginClick();
    void lbShortcutClick();
    void SetBusy(bool busy);

    THS_Language FHS_Language;
    QString WLS_Hint;
    TLoginEvent FOnLogin;
    bool FIsLogined = false;
    bool m_busy = false;
    QGroupBox* gbServer = nullptr;
    QGroupBox* gbUser = nullptr;
    QLabel* lbUserName = nullptr;
    QLabel* lbPassword = nullptr;
    QLabel* lbUserNameHint = nullptr;
    QLabel* lbPort = nullptr;
    QLabel* lbAddress = nullptr;
};

}  // namespace ov
