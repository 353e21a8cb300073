// The signing form: set-up, signature-server login, open, upload, cancel and close.

#include "control/pdfsign/ntkopdfsign.h"

#include "control/ovcom/errorinfo.h"
#include "control/ovcom/hresult.h"
#include "control/pdfsign/signcontrol.h"
#include "core/cipher.h"
#include "core/datetime.h"
#include "platform/tempfiles.h"

#include <QFile>
#include <QVBoxLayout>
#include <exception>

using namespace Qt::StringLiterals;

namespace ov::control {

namespace {

QString MessageOf(const std::exception& error) {
    if (const auto* ole = dynamic_cast<const ovcom::OleError*>(&error)) return ole->message();
    return QString::fromUtf8(error.what());
}

}  // namespace

SignControlFactory& SignControls() {
    static SignControlFactory factory;
    return factory;
}

std::optional<QString> CreateSignCopy(const QString& folder, const QDateTime& when) {
    const QString stem = when.toString(u"MMddHHmmss"_s) + QString::number(when.time().msec());
    return platform::createUniqueFile(folder, stem, u".pdf"_s);
}

TNtkoPdfSignFrm::TNtkoPdfSignFrm(QWidget* parent) : TFileEditBaseFrm(parent) {
    setObjectName(u"NtkoPdfSignFrm"_s);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
}

TNtkoPdfSignFrm::~TNtkoPdfSignFrm() {
    if (FCloseAll) return;
    try {
        CloseOleObject();
    } catch (...) {
        // the form goes either way
    }
}

void TNtkoPdfSignFrm::NoControl() const {
    throw ovcom::OleError(ovcom::REGDB_E_CLASSNOTREG,
                          FHS_Language == HSL_CN ? u"没有注册类"_s : u"Class not registered"_s);
}

void TNtkoPdfSignFrm::NtkoPdfSignInit(const QString& Value1, const QString& Value2) {
    const SignControlFactory& factory = SignControls();
    if (!factory) NoControl();
    PNtkoPdf = factory(this);
    if (!PNtkoPdf) NoControl();
    layout()->addWidget(PNtkoPdf);
    PNtkoPdf->SetTitlebar(false);
    PNtkoPdf->SetModalState(true);
    PNtkoPdf->SetToolbars(true);
    PNtkoPdf->SetMenubar(true);
    PNtkoPdf->SetUp(Value1, Value2);
    PNtkoPdf->AddDocTypePlugin(u".pdf"_s, u"PDF.NtkoDocument"_s, u"4.0.0.0"_s,
                               u"./ntkooledocall.dll"_s, 51, true);
}

void TNtkoPdfSignFrm::NtkoPdfSvrDoLogin(const QString& ServerUrl, const QString& UserName,
                                        const QString& Password) {
    if (!PNtkoPdf) NoControl();
    const QString password = DecryptString(Password, 3);
    if (PNtkoPdf->SvrIsLogin()) return;
    PNtkoPdf->SetSvrUrl(ServerUrl);
    if (!UserName.isEmpty() && !password.isEmpty()) PNtkoPdf->SvrDoLogin(UserName, password);
}

void TNtkoPdfSignFrm::NtkoPdfOpenFile(const QString& FileKey, const QString&) {
    FNogList.clear();
    try {
        OpenFile(FileKey);
    } catch (const std::exception& error) {
        Message(MessageOf(error), QMessageBox::Critical);
    }
}

void TNtkoPdfSignFrm::OpenFile(const QString& FileKey) {
    if (!PNtkoPdf) NoControl();
    bool isNumber = false;
    FFileKey = FileKey.toLongLong(&isNumber);
    if (!isNumber) FFileKey = 0;
    const auto copy = CreateSignCopy(FRoot);
    if (!copy) throw std::runtime_error("the temporary folder cannot take a new file");
    FEditFileName = *copy;
    if (!DownloadEditFile()) {
        RemoveCopy();
        return Message(Notes(), QMessageBox::Critical);
    }
    FLocked = true;
    SetFileModifyTime(FEditFileName, Now());
    LockEditFile();
    PNtkoPdf->OpenLocalFile(FEditFileName);
}

bool TNtkoPdfSignFrm::NtkoPdfSignedFileUplaod() {
    FNogList.clear();
    try {
        UploadFile();
        return true;
    } catch (const std::exception& error) {
        Message(MessageOf(error), QMessageBox::Critical);
        return false;
    }
}

void TNtkoPdfSignFrm::UploadFile() {
    if (!PNtkoPdf) NoControl();
    PNtkoPdf->SaveToLocal();
    PNtkoPdf->Close();
    if (!UploadEditFile(FEditFileName)) throw std::runtime_error(Notes().toStdString());
    FLocked = false;  // a stored version ends the lock
    RemoveCopy();
}

void TNtkoPdfSignFrm::CancelEdit() {
    if (PNtkoPdf) PNtkoPdf->Close();
    UnlockEditFile();
    FLocked = false;
    RemoveCopy();
}

void TNtkoPdfSignFrm::CloseOleObject() {
    if (FCloseAll) return;
    FCloseAll = true;
    if (PNtkoPdf) {
        TOfficeControl* control = PNtkoPdf;
        PNtkoPdf = nullptr;
        try {
            control->Close();
        } catch (...) {
            delete control;
            ReleaseLock();
            RemoveCopy();
            throw;
        }
        delete control;
    }
    ReleaseLock();
    RemoveCopy();
}

void TNtkoPdfSignFrm::ReleaseLock() {
    if (!FLocked) return;
    FLocked = false;
    UnlockEditFile();
}

void TNtkoPdfSignFrm::RemoveCopy() {
    if (!FEditFileName.isEmpty()) QFile::remove(FEditFileName);
}

}  // namespace ov::control
