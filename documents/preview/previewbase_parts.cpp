// The operations of the base form that hand the work to the parts it owns: the print policy,
// the input restrictions and the probes.

#include "documents/preview/previewbase.h"

#include <QMessageBox>

using namespace Qt::StringLiterals;

namespace ov {

PreviewServer TPreviewBaseFrm::Server() const {
    return {FServerHost, quint16(FServerPort), FIsSSL, FUserIdStr};
}

// ---- print policy ----

void TPreviewBaseFrm::WriteOprLog(std::uint8_t Opr) {
    FPrintPolicy.report(Opr, FFileId);
}

void TPreviewBaseFrm::ReportPrint() {
    WriteOprLog(OPR_Print);
}

void TPreviewBaseFrm::ReportPrintPreview() {
    WriteOprLog(OPR_PrintPreview);
}

bool TPreviewBaseFrm::VirtualPrinterForbidden() const {
    return FPrintPolicy.virtualPrinterForbidden(FDocReadonly);
}

platform::DocumentViewer::PrintResult TPreviewBaseFrm::PrintWithViewer(
    platform::DocumentViewer* viewer) {
    return FPrintPolicy.printWithViewer(viewer, FDocReadonly, FFileId);
}

bool TPreviewBaseFrm::DefaultPrinterIsVirtual() const {
    return FPrintPolicy.defaultPrinterIsVirtual();
}

bool TPreviewBaseFrm::IsExistVirtualPrinter() const {
    return FPrintPolicy.virtualPrinterInstalled();
}

bool TPreviewBaseFrm::HasVirtualPrinter() {
    return PreviewPrintPolicy::hasVirtualPrinter();
}

bool TPreviewBaseFrm::IsDefaultPrinterVirtual() {
    return PreviewPrintPolicy::isDefaultPrinterVirtual();
}

// ---- input restrictions ----

void TPreviewBaseFrm::AddKeyboardHook(QWidget* target) {
    FInput.guardWidget(target ? target : this);
}

void TPreviewBaseFrm::AddMouseHook(QWidget* target) {
    if (target)
        FInput.guardWidget(target);
    else
        FInput.guardForm(this);
}

void TPreviewBaseFrm::RemoveHooks() {
    FInput.removeAll();
}

void TPreviewBaseFrm::ClearClipboard() {
    PreviewInputRestrictions::clearClipboard(WLS_ClearClipboard);
}

std::uint8_t TPreviewBaseFrm::GetClipboardSource() {
    return PreviewInputRestrictions::clipboardSource();
}

// ---- probes ----

TOfficeViewerType TPreviewBaseFrm::GetOfficeViewerType() {
    return FProbes.officeViewerType();
}

bool TPreviewBaseFrm::ExistEdOfficeViewer() {
    return FProbes.officeViewerInstalled();
}

bool TPreviewBaseFrm::CreateNewOfficeObject(std::uint8_t Tp) {
    return FProbes.officeProgramInstalled(Tp);
}

QString TPreviewBaseFrm::GetOfficeVer(std::uint8_t Tp, bool& IsExistMsoffice) {
    return FProbes.officeVersion(Tp, IsExistMsoffice);
}

QString TPreviewBaseFrm::GetOfficeVer2(std::uint8_t Tp) {
    bool exists = false;
    return PreviewProbes().officeVersion(Tp, exists);
}

QString TPreviewBaseFrm::WpsVer(std::uint8_t Tp) {
    return FProbes.wpsVersion(Tp);
}

TOfficePlatformType TPreviewBaseFrm::GetOfficePlatform(std::uint8_t Tp) {
    return FProbes.officePlatform(Tp);
}

bool TPreviewBaseFrm::CheckOfficeViewer() {
    return FProbes.officeViewerInstalled();
}

void TPreviewBaseFrm::CheckFoxitExcelAddin(bool& Found) {
    const PreviewProbes::ExcelAddin addIn = FProbes.foxitExcelAddin();
    Found = addIn.found;
    if (!Found) return;
    QString text = WLS_FoxitErr1;
    if (addIn.library) text += WLS_FoxitErr2.arg(*addIn.library);
    ShowErrorMessage(text);
}

void TPreviewBaseFrm::GetAcrobatVersion(QString& Version, QString& TypeLibVer) {
    FProbes.acrobatVersion(Version, TypeLibVer);
}

// ---- messages ----

void TPreviewBaseFrm::ShowErrorMessage(const QString& text) {
    QMessageBox::critical(this, WLS_Hint, text);
}

}  // namespace ov
