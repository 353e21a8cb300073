// Interface stubs; replaced by the real modules.

#include "documents/postkey.h"
#include "documents/previewbase.h"
#include "documents/previewdownload.h"

namespace ov {

struct PreviewDownloadState {};

void TPreviewBaseFrm::LoadLangStrings() {}
void TPreviewBaseFrm::PreviewEx(int, int, std::int64_t) {}
bool TPreviewBaseFrm::IsDownloading() const {
    return false;
}
bool TPreviewBaseFrm::DownloadFile2(std::int64_t, int, const QString&, QString&, QString&) {
    return false;
}
bool TPreviewBaseFrm::DownloadPreviewFile(int, const QString&, QString&, std::int64_t) {
    return false;
}
void TPreviewBaseFrm::StartPreview(int, int, std::int64_t) {}
void TPreviewBaseFrm::FinishPreview(int, bool, const QString&) {}
void TPreviewBaseFrm::StopDownload() {}
void TPreviewBaseFrm::AddKeyboardHook(QWidget*) {}
void TPreviewBaseFrm::AddMouseHook(QWidget*) {}
void TPreviewBaseFrm::RemoveHooks() {}
TOfficeViewerType TPreviewBaseFrm::GetOfficeViewerType() {
    return OVIEWER_NONE;
}
bool TPreviewBaseFrm::ExistEdOfficeViewer() {
    return false;
}
bool TPreviewBaseFrm::CreateNewOfficeObject(std::uint8_t) {
    return false;
}
QString TPreviewBaseFrm::GetOfficeVer(std::uint8_t, bool&) {
    return {};
}
QString TPreviewBaseFrm::GetOfficeVer2(std::uint8_t) {
    return {};
}
QString TPreviewBaseFrm::WpsVer(std::uint8_t) {
    return {};
}
bool TPreviewBaseFrm::DefaultPrinterIsVirtual() const {
    return false;
}
bool TPreviewBaseFrm::IsExistVirtualPrinter() const {
    return false;
}
bool TPreviewBaseFrm::HasVirtualPrinter() {
    return false;
}
bool TPreviewBaseFrm::IsDefaultPrinterVirtual() {
    return false;
}
void TPreviewBaseFrm::WriteOprLog(std::uint8_t) {}
void TPreviewBaseFrm::ReportPrint() {}
void TPreviewBaseFrm::ReportPrintPreview() {}
platform::DocumentViewer::PrintResult TPreviewBaseFrm::PrintWithViewer(platform::DocumentViewer*) {
    return platform::DocumentViewer::PrintResult::NoDocument;
}
TOfficePlatformType TPreviewBaseFrm::GetOfficePlatform(std::uint8_t) {
    return OFT_NONE;
}
bool TPreviewBaseFrm::CheckOfficeViewer() {
    return false;
}
void TPreviewBaseFrm::CheckFoxitExcelAddin(bool& Found) {
    Found = false;
}
void TPreviewBaseFrm::GetAcrobatVersion(QString&, QString& TypeLibVer) {
    TypeLibVer.clear();
}
void TPreviewBaseFrm::ClearClipboard() {}
std::uint8_t TPreviewBaseFrm::GetClipboardSource() {
    return 0;
}
void TPreviewBaseFrm::ShowErrorMessage(const QString&) {}

TPreViewHint::TPreViewHint(QWidget* parent, bool) : QWidget(parent) {}
TPreViewHint::TPreViewHint(THS_Language, QWidget* parent, bool) : QWidget(parent) {}
void TPreViewHint::ShowHint(const QString&, int) {}
QString TPreViewHint::HintText() const {
    return {};
}
bool TPreViewHint::ShowsErrorPicture() const {
    return false;
}
bool TPreViewHint::ShowsWaitPicture() const {
    return false;
}
void TPreViewHint::FormCreate(THS_Language) {}

void PostKeyEx(QWidget*, int, Qt::KeyboardModifiers, bool) {}
bool IsWordFileType(std::int32_t) {
    return false;
}
bool IsExcelFileType(std::int32_t) {
    return false;
}
bool IsPowerPointFileType(std::int32_t) {
    return false;
}
QString OfficeVersionOf(std::uint8_t, bool&) {
    return {};
}
TOfficePlatformType OfficePlatformOf(std::uint8_t) {
    return OFT_NONE;
}
QString WpsVersionOf(std::uint8_t) {
    return {};
}
bool OfficeViewerInstalled() {
    return false;
}
bool OfficeProgramIsInstalled(std::uint8_t) {
    return false;
}
void AcrobatVersion(QString&, QString&) {}
QString CutAtSwitch(const QString& c) {
    return c;
}
QString FirstTwoVersionParts(const QString& v) {
    return v;
}
bool RegisterComServer(const QString&, std::uint8_t) {
    return false;
}
void SetOfficeSearchPaths(std::optional<platform::OfficeSearchPaths>) {}
QString PreviewExtraText(const QString&, int) {
    return {};
}
PreviewDownloadResult RunPreviewDownload(const PreviewDownloadRequest&, std::atomic<bool>*) {
    return {};
}
void RemovePreviewCopy(const QString&) {}
QThreadPool& PreviewThreadPool() {
    return *QThreadPool::globalInstance();
}

}  // namespace ov
