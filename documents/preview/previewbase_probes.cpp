// The probes of the base form: office suites, the office-viewer control and the PDF reader.

#include "documents/preview/previewbase.h"
#include "platform/registry.h"
#include "platform/viewerprobe.h"

using namespace Qt::StringLiterals;

namespace ov {

TOfficeViewerType TPreviewBaseFrm::GetOfficeViewerType() {
    return CheckOfficeViewer() ? OVIEWER_ED : OVIEWER_NONE;
}

bool TPreviewBaseFrm::ExistEdOfficeViewer() {
    return CheckOfficeViewer();
}

bool TPreviewBaseFrm::CreateNewOfficeObject(std::uint8_t Tp) {
    return OfficeProgramIsInstalled(Tp);
}

QString TPreviewBaseFrm::GetOfficeVer(std::uint8_t Tp, bool& IsExistMsoffice) {
    return OfficeVersionOf(Tp, IsExistMsoffice);
}

QString TPreviewBaseFrm::GetOfficeVer2(std::uint8_t Tp) {
    bool exists = false;
    return OfficeVersionOf(Tp, exists);
}

QString TPreviewBaseFrm::WpsVer(std::uint8_t Tp) {
    return WpsVersionOf(Tp);
}

TOfficePlatformType TPreviewBaseFrm::GetOfficePlatform(std::uint8_t Tp) {
    return OfficePlatformOf(Tp);
}

bool TPreviewBaseFrm::CheckOfficeViewer() {
    return OfficeViewerInstalled();
}

void TPreviewBaseFrm::CheckFoxitExcelAddin(bool& Found) {
    using platform::Hive;
    using platform::Registry;
    Found = false;
    const QString key = u"CLSID\\{BD1F4C11-5491-4DD3-9BC0-758FF07081C0}"_s;
    if (!platform::viewerProbe().classKeyExists(key)) return;
    const QString server = key + u"\\InprocServer32"_s;
    QString text = WLS_FoxitErr1;
    if (Registry::keyExists(Hive::ClassesRoot, server))
        text +=
            WLS_FoxitErr2.arg(Registry::readString(Hive::ClassesRoot, server).value_or(QString()));
    ShowErrorMessage(text);
    Found = true;
}

void TPreviewBaseFrm::GetAcrobatVersion(QString& Version, QString& TypeLibVer) {
    AcrobatVersion(Version, TypeLibVer);
}

}  // namespace ov
