// The editors' base form: construction, texts, the virtual defaults and the message boxes.

#include "documents/editing/fileeditbase.h"

#include "core/filetype.h"
#include "core/paths.h"
#include "documents/editing/editserver.h"

#include <QCoreApplication>
#include <QThread>
#include <QTimer>

using namespace Qt::StringLiterals;

namespace ov {

TFileEditBaseFrm::TFileEditBaseFrm(QWidget* parent, Qt::WindowFlags flags)
    : TPreviewBaseFrm(parent, flags) {
    FIniFilePath = GetUserDataPath();
    BackupFolders = EditBackupFolders();
    resize(800, 600);
    TFileEditBaseFrm::InitLangStrings();
}

TFileEditBaseFrm::~TFileEditBaseFrm() = default;

void TFileEditBaseFrm::InitLangStrings() {
    const bool cn = FHS_Language == HSL_CN;
    if (!cn && FHS_Language != HSL_ENG) return;
    WLS_Hint = cn ? u"提示"_s : u"Hint"_s;
    WLS_Edit = cn ? u"修改"_s : u"Modify"_s;
    WLS_InWriteAudit = cn ? u"文件正在进行修改审核，不能上传！"_s
                          : u"The file is in the audit process now and can not be uploaded!"_s;
    WLS_Audit = cn ? u"成功修改文件， 但该文件需要审核才能生效。"_s
                   : u"The file was modified, but the change takes effect only after its audit."_s;
    WLS_UplaodError2 = cn ? u"上传错误，文件另存到 -- "_s
                          : u"An error occurred while uploading, File saveas to -- "_s;
    WLS_DownloadOK = cn ? u"下载成功!"_s : u" Download successfully!"_s;
    WLS_IsUpload = cn ? u"文件还没有上传到服务器，是否现在上传？"_s
                      : u"File has not uploaded to the server, whether now upload?"_s;
    WLS_Cancel = cn ? u"确认取消？"_s : u"Confirm cancel?"_s;
    WLS_KeptLocal = cn ? u"修改的文件保留在："_s : u"The edited file is kept at: "_s;
    WLS_BackupFailed = cn ? u"上传错误，文件另存失败："_s
                          : u"An error occurred while uploading, and the copy failed: "_s;
}

int TFileEditBaseFrm::Edit(std::int64_t, const QString& FileName, const QString& FileExt) {
    QThread::msleep(100);
    QCoreApplication::processEvents();
    FSourceFileName = FileName;
    FFileType = FileExtToCode(FileExt);
    return 0;
}

int TFileEditBaseFrm::SaveAndUpload(QString&) {
    return 0;
}

void TFileEditBaseFrm::CancelEdit() {}

QString TFileEditBaseFrm::GetBackupFolder() const {
    return BackupFolders.size() > 1 ? BackupFolders.at(1) : GetPersonalPath();
}

EditServer TFileEditBaseFrm::Server(int readTimeoutMs) const {
    return {FServerHost,   quint16(FServerPort), FIsSSL,        FUserIdStr,
            FHS_Language, FIniFilePath,         readTimeoutMs};
}

void TFileEditBaseFrm::Message(const QString& text, QMessageBox::Icon icon) {
    if (ShowMessage) return ShowMessage(text, icon);
    QMessageBox box(icon, WLS_Hint, text, QMessageBox::Ok, this);
    box.exec();
}

void TFileEditBaseFrm::CloseLater() {
    QTimer::singleShot(0, this, &QWidget::close);
}

void TFileEditBaseFrm::SaveUploadAndClose(const QString& doneText) {
    QString error;
    if (SaveAndUpload(error) == 1) {
        Message(doneText, QMessageBox::Information);
        CloseLater();
    } else {
        Message(error, QMessageBox::Critical);
    }
}

void TFileEditBaseFrm::ConfirmCancelAndClose(const QString& question) {
    const auto answer =
        AskYesNo ? AskYesNo(question) : QMessageBox::question(this, WLS_Hint, question);
    if (answer != QMessageBox::Yes) return;
    CancelEdit();
    CloseLater();
}

void TFileEditBaseFrm::ShowErrorMessage(const QString& text) {
    Message(text, QMessageBox::Critical);
}

}  // namespace ov
