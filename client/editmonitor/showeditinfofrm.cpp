// The monitor's window: texts, widgets and the log.

#include "client/editmonitor/showeditinfofrm.h"

#include "core/globalconfig.h"
#include "core/paths.h"

#include <QDesktopServices>
#include <QLabel>
#include <QPlainTextEdit>
#include <QTimer>
#include <QUrl>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace ov {

TShowEditInfoFrm::TShowEditInfoFrm(THintFrm2* hint, QWidget* parent)
    : QWidget(parent, Qt::Window), FHint(hint) {
    setObjectName(u"ShowEditInfoFrm"_s);
    FLastTm = QDateTime::currentDateTime();
    const auto config = GlobalConfig();
    FWorkRoot = config->WorkRoot();
    ALanguage = config->SysLanguage();
    FIniFilePath = GetUserDataPath();
    ReadServer();
    InitLangStrings();
    BuildForm();
    OpenDocument = [](const QString& path) {
        return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
    };
}

TShowEditInfoFrm::~TShowEditInfoFrm() = default;

void TShowEditInfoFrm::ReadServer() {
    const auto config = GlobalConfig();
    FUserIdStr = config->EncryptUserID();
    FServerHost = config->ServerHost();
    FServerPort = config->ServerPort();
    FIsSSL = config->IsSSL();
}

EditServer TShowEditInfoFrm::Server(int readTimeoutMs) const {
    return {FServerHost, quint16(FServerPort), FIsSSL, FUserIdStr, ALanguage, FIniFilePath,
            readTimeoutMs};
}

void TShowEditInfoFrm::InitLangStrings() {
    const bool cn = ALanguage == HSL_CN;
    const auto t = [cn](const char16_t* chinese, const char16_t* english) {
        return QString::fromUtf16(cn ? chinese : english);
    };
    WLS_UpdateOk = t(u"成功修改文件", u" Successfully modified the file ");
    WLS_Audit = t(u"成功修改文件， 但该文件需要审核才能生效。",
                  u" The file was modified, but the change takes effect only after its audit. ");
    WLS_UpdateError = t(u",上传时发生错误：", u", An error occurred while uploading: ");
    WLS_UplaodError2 = t(u"上传错误，文件另存到 -- ",
                         u"An error occurred while uploading, File saveas to -- ");
    WLS_NoChange = t(u"文件关闭，内容没有发生改变", u" The file is closed and unchanged ");
    WLS_CurrentFile = t(u"当前文件: ", u"Current file : ");
    WLS_DownloadOK = t(u"下载成功!", u" Download successfully!");
    WLS_OpenOK = t(u"成功打开", u" Opened sccessfully ");
    WLS_OpenFailed = t(u"打开失败", u" Open failed ");
    WLS_Monitor = t(u"文件在线编辑状态监控", u" Status monitor for file editing ");
    WLS_FileTime = t(u" 文件时间:", u" File time:");
    WLS_LB0 = t(u"编辑提示：", u"Tips:");
    WLS_LB1 = t(u"1：编辑当前打开的文档，完成编辑后保存文档。",
                u"1: You need save the currentlly open file after you finish editing.");
    WLS_LB2 = t(u"2：关闭编辑文档，系统会把当前编辑的文档保存到服务器。",
                u"2: The currentlly open file will be automatically saved on server when you "
                u"close it.");
    WLS_Missing = t(u"本地文件不存在，不再监控（文件仍被锁定，可取消签出）",
                    u" The local copy is gone and no longer watched (the file stays locked; "
                    u"cancel its check-out to release it) ");
    WLS_BadName = t(u"服务器返回的文件名或路径无效", u" The server gave an invalid file name or path ");
}

void TShowEditInfoFrm::BuildForm() {
    setWindowTitle(WLS_Monitor);
    resize(623, 430);
    QFont font(ALanguage == HSL_CN ? u"宋体"_s : u"Tahoma"_s);
    font.setPointSize(9);
    setFont(font);
    FLbFileName = new QLabel(WLS_CurrentFile, this);
    FLbFileName->setObjectName(u"lbFileName"_s);
    FLbFileName->setStyleSheet(u"font-weight: bold"_s);
    FMemo1 = new QPlainTextEdit(this);
    FMemo1->setObjectName(u"Memo1"_s);
    FMemo1->setReadOnly(true);
    QFont memoFont(u"宋体"_s);
    memoFont.setPixelSize(14);
    FMemo1->setFont(memoFont);
    FLbH0 = new QLabel(WLS_LB0, this);
    FLbH1 = new QLabel(WLS_LB1, this);
    FLbH2 = new QLabel(WLS_LB2, this);
    FLbH0->setObjectName(u"lbH0"_s);
    FLbH1->setObjectName(u"lbH1"_s);
    FLbH2->setObjectName(u"lbH2"_s);
    auto* layout = new QVBoxLayout(this);
    for (QWidget* w : {static_cast<QWidget*>(FLbFileName), static_cast<QWidget*>(FMemo1),
                       static_cast<QWidget*>(FLbH0), static_cast<QWidget*>(FLbH1),
                       static_cast<QWidget*>(FLbH2)})
        layout->addWidget(w);
    FTimer1 = new QTimer(this);
    FTimer1->setObjectName(u"Timer1"_s);
    FTimer1->setInterval(2000);
    connect(FTimer1, &QTimer::timeout, this, &TShowEditInfoFrm::Timer1Timer);
}

void TShowEditInfoFrm::AddMonitorLog(const QString& Name, const QString& Text) {
    FMemo1->appendPlainText(Name + u","_s + Text);
}

QString TShowEditInfoFrm::Log() const {
    return FMemo1->toPlainText();
}

QString TShowEditInfoFrm::CurrentFileText() const {
    return FLbFileName->text();
}

}  // namespace ov
