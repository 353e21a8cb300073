// The office editor's work: the suite's gate, download and opening, save and upload, cancel,
// the close, and the document operations done through the office.

#include "documents/editing/officefileedit.h"

#include "core/datetime.h"
#include "core/filetype.h"
#include "core/paths.h"
#include "documents/office/officepreviewgate.h"
#include "platform/officeeditor.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QProcess>

using namespace Qt::StringLiterals;

namespace ov {

namespace {

// The file-name part of a name from the server, "/" and "\" both separating.
QString NamePart(const QString& name) {
    const qsizetype cut = std::max(name.lastIndexOf(u'/'), name.lastIndexOf(u'\\'));
    return name.mid(cut + 1);
}

std::optional<platform::OfficeInstallation> WpsOf(
    const std::vector<platform::OfficeInstallation>& suites) {
    for (const auto& suite : suites)
        if (suite.suite == platform::OfficeSuite::Wps) return suite;
    return std::nullopt;
}

}  // namespace

// report.docx edited on 9 December at 15:12:30.507: report.docx_1209151230507.docx.
QString TOfficeFileEditFrm::NewEditFileName(const QString& FileName,
                                            const QString& FileExt) const {
    const QDateTime now = QDateTime::currentDateTime();
    const QString stamp =
        now.toString(u"MMddhhmmss"_s) + QString::number(now.time().msec());
    return GetLocalTempPath() + NamePart(FileName) + u'_' + stamp + u'.' + FileExt;
}

int TOfficeFileEditFrm::Edit(std::int64_t FileKey, const QString& FileName,
                             const QString& FileExt) {
    TFileEditBaseFrm::Edit(FileKey, FileName, FileExt);
    FFileId = FileKey;
    FInPrintPreview = false;
    const std::vector<platform::OfficeInstallation> suites = FindSuites();
    const OfficeGate gate = decideOfficeGate(FileExt, suites);
    if (gate.outcome == OfficeGateOutcome::BoxNeedOoxml) return ShowErrorMessage(WLS_Need2007), 0;
    if (gate.outcome == OfficeGateOutcome::BoxNeedWps) return ShowErrorMessage(WLS_NeedWPS), 0;
    FWps = gate.platform == OfficePlatform::Wps && WpsOf(suites);
    if (!FWps && (!gate.converter || gate.converter->python.isEmpty()))
        return ShowErrorMessage(WLS_RunAsAdmin), 0;
    FFileKey = FileKey;
    FEditFileName = NewEditFileName(FileName, FileExt);
    if (!DownloadEditFile()) return ShowErrorMessage(Notes()), 0;
    SetFileModifyTime(FEditFileName, QDateTime::currentDateTime());
    setWindowTitle(FSourceFileName + u"---edit"_s);
    FInfo->setText(WLS_EditingIn.arg(NamePart(FSourceFileName)) +
                   (FWps ? u"\n"_s + WLS_WpsNote : QString()));
    if (FWps) {
        QProcess::startDetached(WpsOf(suites)->program, {FEditFileName});
    } else if (!OpenInOffice(suites)) {
        ShowErrorMessage(FLastOfficeError);  // the edit goes on: cancel releases the file
    }
    return 1;
}

bool TOfficeFileEditFrm::OpenInOffice(const std::vector<platform::OfficeInstallation>& suites) {
    const OfficeGate gate = decideOfficeGate(CodeToExt(FFileType), suites);
    FSession = std::make_shared<platform::OfficeEditorSession>(*gate.converter, FRoot);
    const auto session = FSession;
    const QString path = FEditFileName;
    const platform::OfficeResult opened = RunServerWork<platform::OfficeResult>(
        [session, path] { return session->open(path); });
    FLastOfficeError = opened.message;
    return opened.ok();
}

bool TOfficeFileEditFrm::OfficeRequest(const QString& op, const QString& argument) {
    if (!FSession) return false;
    const auto session = FSession;
    const platform::OfficeResult done = RunServerWork<platform::OfficeResult>(
        [session, op, argument] { return session->request(op, argument); });
    FLastOfficeError = done.message;
    return done.ok();
}

bool TOfficeFileEditFrm::SaveDocument() {
    if (FWps) return QFileInfo::exists(FEditFileName);
    return OfficeRequest(u"save"_s, FEditFileName);
}

// Closes the document, then uploads the saved copy. The copy goes only once the server stored
// it or a verified copy of it lies in the backup folder; otherwise it stays and is named.
int TOfficeFileEditFrm::SaveAndUpload(QString& Error) {
    int result = TFileEditBaseFrm::SaveAndUpload(Error);
    if (!FSession && !FWps) {
        AddNote(FLastOfficeError);
    } else if (!SaveDocument()) {
        AddNote(FLastOfficeError);  // the document stays open with the user's changes
    } else {
        OfficeRequest(u"close"_s);
        FSession.reset();
        const bool stored = UploadEditFile(FEditFileName);
        FFinished = true;
        if (stored || FLastBackupOk) DropCopy();
        else AddNote(WLS_KeptLocal + FEditFileName);
        result = stored ? 1 : 0;
    }
    Error = Notes();
    return result;
}

void TOfficeFileEditFrm::CancelEdit() {
    OfficeRequest(u"close"_s);
    FSession.reset();
    if (UnlockEditFile(true)) {
        FFinished = true;
        DropCopy();
    }
}

void TOfficeFileEditFrm::DropCopy() {
    if (!FEditFileName.isEmpty()) QFile::remove(FEditFileName);
}

// Runs once. An edit that was neither uploaded nor cancelled is saved into its copy first.
void TOfficeFileEditFrm::CloseOleObject() {
    if (FCloseAll) return;
    FCloseAll = true;
    if (FSession && !FFinished) OfficeRequest(u"save"_s, FEditFileName);
    OfficeRequest(u"close"_s);
    if (const auto session = FSession) {
        RunServerWork<bool>([session] {
            session->stop();
            return true;
        });
    }
    FSession.reset();
}

bool TOfficeFileEditFrm::IsWordType() const {
    return officeDocKind(FFileType) == OfficeDocKind::Word;
}

bool TOfficeFileEditFrm::IsExcelType() const {
    return officeDocKind(FFileType) == OfficeDocKind::Excel;
}

void TOfficeFileEditFrm::Print(const QString&) {
    if (!CanPrint() || !FSession) return;
    if (OfficeRequest(SelectPrinter() ? u"print-dialog"_s : u"print"_s)) ReportPrint();
    else ShowErrorMessage(FLastOfficeError);
}

void TOfficeFileEditFrm::PrintPreview() {
    if (OfficeRequest(u"preview"_s)) ReportPrintPreview();
}

void TOfficeFileEditFrm::PrintPreviewExit() {
    OfficeRequest(u"preview-exit"_s);
}

void TOfficeFileEditFrm::TrackRevisions(bool) {}

void TOfficeFileEditFrm::ShowRevisions(bool VBool) {
    if (!OfficeRequest(u"track=on"_s) ||
        !OfficeRequest(VBool ? u"show=on"_s : u"show=off"_s))
        ShowErrorMessage(FLastOfficeError);
}

void TOfficeFileEditFrm::AcceptRevisions() {
    for (const QString& op : {u"accept-all"_s, u"track=off"_s, u"show=off"_s}) {
        if (!OfficeRequest(op)) return ShowErrorMessage(FLastOfficeError);
    }
    if (!OfficeRequest(u"save"_s, FEditFileName)) ShowErrorMessage(FLastOfficeError);
}

void TOfficeFileEditFrm::SaveAs(const QString& Fn) {
    if (!IsWordType() && !IsExcelType()) return;
    OfficeRequest(u"save-as-dialog"_s, Fn.isEmpty() ? FSourceFileName : Fn);
}

void TOfficeFileEditFrm::EditFind() {
    if (IsWordType() || IsExcelType()) OfficeRequest(u"find"_s);
}

void TOfficeFileEditFrm::NavPaneVisible(bool B) {
    if (!FSession || OfficeRequest(B ? u"navigator=on"_s : u"navigator=off"_s)) return;
    QMessageBox box(QMessageBox::NoIcon, QString(), FLastOfficeError, QMessageBox::Ok);
    box.exec();
}

QString TOfficeFileEditFrm::UploadEditedFileToOtherFolder(std::int32_t OwnerId,
                                                          std::int64_t FolderId) {
    if (!SaveDocument()) return FLastOfficeError;
    const EditServer server = Server(120000);
    const QString path = FEditFileName;
    const QString name = OtherFolderDisplayName(FSourceFileName, CodeToExt(FFileType));
    return RunServerWork<QString>([server, OwnerId, FolderId, path, name] {
        return UploadToOtherFolder(server, OwnerId, FolderId, path, name);
    });
}

}  // namespace ov
