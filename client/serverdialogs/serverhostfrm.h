#pragma once
// The server address dialog: a host and port are tested against the document server and, on
// "save", stored in the settings when the test passes. The TLS choice is not edited here. The
// test runs on a worker; the buttons wait for it.

#include <QDialog>
#include <functional>

#include "core/types.h"

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace ov {

class TSetServerHostFrm : public QDialog {
    Q_OBJECT
public:
    explicit TSetServerHostFrm(QWidget* parent = nullptr);

    // Trims the address field and reads the port; false (after the port message) when the port
    // is not a whole number above 0 (or above 65535).
    bool CheckServerInput();
    // The connection test, run on a worker (so it touches no widget); tests put their own in
    // place.
    std::function<bool(const QString& host, int port)> ConnectTest;
    // A test still under way.
    bool Busy() const { return FBusy; }

    QString Ip;
    int Port = 0;
    QGroupBox* GroupBox1;
    QLabel *Label1, *Label2, *Label4;
    QLineEdit *edtIp, *edtPort;
    QPushButton *bbtConnect, *bbtSave, *BitBtn1;

private:
    void LoadTexts();
    void bbtConnectClick();
    void bbtSaveClick();
    // Runs the connection test for the address read, then `done` with its outcome.
    void RunTest(std::function<void(bool reached)> done);

    THS_Language FHS_Language;
    bool FBusy = false;
    QString WLS_Hint, WLS_PortError, WLS_ContactSevrerOK, WLS_ContactSevrerFailed;
};

// A connection test with the settings' TLS choice: the server answers on host and port.
bool ServerConnectTest(const QString& host, int port, THS_Language language);

}  // namespace ov
