#include "client/serverdialogs/serverhostfrm.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>

#include "client/serverdialogs/requestworker.h"
#include "core/globalconfig.h"
#include "core/robottcpclient.h"

using namespace Qt::StringLiterals;

namespace ov {

namespace {

constexpr int kTestTimeoutMs = 10000;

template <class W>
W* named(W* widget, const QString& name) {
    widget->setObjectName(name);
    return widget;
}

}  // namespace

bool ServerConnectTest(const QString& host, int port, THS_Language language) {
    TRobotTcpClient client(GlobalConfig()->IsSSL());
    client.SetHost(host);
    client.SetPort(quint16(port));
    client.SetLanguage(language);
    client.SetConnectTimeout(kTestTimeoutMs);
    client.SetReadTimeout(kTestTimeoutMs);
    try {
        return client.IP_Test();
    } catch (...) {
        return false;
    }
}

TSetServerHostFrm::TSetServerHostFrm(QWidget* parent)
    : QDialog(parent), FHS_Language(GlobalConfig()->SysLanguage()) {
    setObjectName(u"SetServerHostFrm"_s);
    Ip = GlobalConfig()->ServerHost();
    Port = GlobalConfig()->ServerPort();
    GroupBox1 = named(new QGroupBox(this), u"GroupBox1"_s);
    Label1 = named(new QLabel(GroupBox1), u"Label1"_s);
    Label2 = named(new QLabel(GroupBox1), u"Label2"_s);
    Label4 = named(new QLabel(GroupBox1), u"Label4"_s);
    Label4->setStyleSheet(u"color: grey"_s);
    edtIp = named(new QLineEdit(Ip, GroupBox1), u"edtIp"_s);
    edtPort = named(new QLineEdit(QString::number(Port), GroupBox1), u"edtPort"_s);
    bbtConnect = named(new QPushButton(this), u"bbtConnect"_s);
    bbtSave = named(new QPushButton(this), u"bbtSave"_s);
    BitBtn1 = named(new QPushButton(this), u"BitBtn1"_s);
    auto* grid = new QGridLayout(GroupBox1);
    grid->addWidget(Label1, 0, 0);
    grid->addWidget(edtIp, 0, 1);
    grid->addWidget(Label2, 1, 0);
    grid->addWidget(edtPort, 1, 1);
    grid->addWidget(Label4, 2, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(bbtConnect);
    buttons->addWidget(bbtSave);
    buttons->addWidget(BitBtn1);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(GroupBox1);
    layout->addLayout(buttons);
    LoadTexts();
    ConnectTest = [language = FHS_Language](const QString& host, int port) {
        return ServerConnectTest(host, port, language);
    };
    connect(bbtConnect, &QPushButton::clicked, this, [this] { bbtConnectClick(); });
    connect(bbtSave, &QPushButton::clicked, this, [this] { bbtSaveClick(); });
    connect(BitBtn1, &QPushButton::clicked, this, &QDialog::reject);
}

void TSetServerHostFrm::LoadTexts() {
    const bool cn = FHS_Language == HSL_CN;
    WLS_Hint = cn ? u"提示"_s : u"Hint"_s;
    WLS_PortError = cn ? u"输入的端口错误，重新输入！"_s : u"Port error, please enter it again! "_s;
    WLS_ContactSevrerOK = cn ? u"成功连接服务器！"_s : u"Connected to server successfully! "_s;
    WLS_ContactSevrerFailed = cn ? u"连接服务器失败！"_s : u"Failed to connect to server! "_s;
    setWindowTitle(cn ? u"服务器地址设置"_s : u"Server address setting"_s);
    bbtConnect->setText(cn ? u"连接测试"_s : u"Connection test"_s);
    bbtSave->setText(cn ? u"保存设置"_s : u"Save Settings"_s);
    BitBtn1->setText(cn ? u"取消"_s : u"Cancel"_s);
    GroupBox1->setTitle(cn ? u"设置服务器地址、端口"_s : u" Set server address and port "_s);
    Label1->setText(cn ? u"地址："_s : u"Address:"_s);
    Label2->setText(cn ? u"端口："_s : u"Port:"_s);
    Label4->setText(cn ? u"系统默认值是80，或者和系统管理员联系"_s : u"Default port number is 80."_s);
    QFont font(cn ? u"宋体"_s : u"Tahoma"_s);
    font.setPointSize(9);
    setFont(font);
}

bool TSetServerHostFrm::CheckServerInput() {
    edtIp->setText(edtIp->text().trimmed());
    Ip = edtIp->text();
    bool ok = false;
    Port = edtPort->text().trimmed().toInt(&ok);
    if (ok && Port > 0 && Port <= 65535) return true;
    QMessageBox::critical(this, WLS_Hint, WLS_PortError);
    return false;
}

void TSetServerHostFrm::RunTest(std::function<void(bool reached)> done) {
    if (FBusy || !CheckServerInput()) return;
    FBusy = true;
    bbtConnect->setEnabled(false);
    bbtSave->setEnabled(false);
    const auto test = ConnectTest;
    const QString host = Ip;
    const int port = Port;
    RunRequest<bool>(
        this, [test, host, port] { return test && test(host, port); },
        [this, done = std::move(done)](const bool& reached) {
            FBusy = false;
            bbtConnect->setEnabled(true);
            bbtSave->setEnabled(true);
            done(reached);
        });
}

void TSetServerHostFrm::bbtConnectClick() {
    RunTest([this](bool reached) {
        if (reached)
            QMessageBox::information(this, WLS_Hint, WLS_ContactSevrerOK, QMessageBox::Ok);
        else
            QMessageBox::critical(this, WLS_Hint, WLS_ContactSevrerFailed);
    });
}

void TSetServerHostFrm::bbtSaveClick() {
    RunTest([this](bool reached) {
        if (reached) {
            GlobalConfig()->SetServerHost(Ip);
            GlobalConfig()->SetServerPort(Port);
            GlobalConfig()->Save();
            QMessageBox::information(this, WLS_Hint, WLS_ContactSevrerOK, QMessageBox::Ok);
        } else {
            QMessageBox::critical(this, WLS_Hint, WLS_ContactSevrerFailed);
        }
        accept();
    });
}

}  // namespace ov
