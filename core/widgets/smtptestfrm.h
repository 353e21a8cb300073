#pragma once
// The mail test dialog: the SMTP settings of the server's pages, a test message, and a log of
// one test send. The dialog stays open after a send; its opener reads IsOk and ErrorInfo.

#include "core/types.h"

#include <QDialog>
#include <QString>

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace ov {

class TSmtpTestFrm : public QDialog {
    Q_OBJECT
public:
    explicit TSmtpTestFrm(QWidget* owner = nullptr);

    // Sets every caption and text of the language (Chinese until set).
    void SetLanguage(THS_Language value);
    THS_Language Language() const { return FLanguage; }
    // Whether the last test send succeeded, and its error message.
    bool IsOk() const { return FIsOk; }
    QString ErrorInfo() const { return FErrorInfo; }
    // Fills the boxes from a mail parameter text (the password taken as it stands).
    void ParamInti(const QString& txt);

    // The send button's action.
    void btMailTestClick();

    QGroupBox *gbSMTP, *gbMailTest, *gbMemo;
    QLabel *lbHost, *lbPort, *lbUserName, *lbPassword, *lbAu;
    QLabel *lbRecipients, *lbSubject, *lbBody;
    QLineEdit *edtHost, *edtPort, *edtUserName, *edtPassword;
    QLineEdit *edtRecipients, *edtSubject;
    QComboBox* cbAuthenticationType;
    QPlainTextEdit *memBody, *memLog;
    QPushButton* btMailTest;

protected:
    // Shows the port message (a modal error box); tests replace it.
    virtual void showPortError(const QString& text, const QString& caption);

private:
    void buildSettingsGroup();
    void buildTestGroup();
    void appendLog(const QString& msg);
    QString testSubject() const;
    QString testBody() const;

    THS_Language FLanguage = HSL_CN;
    bool FIsOk = false;
    QString FErrorInfo;
};

}  // namespace ov
