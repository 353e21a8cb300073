// The probes of installed office suites, the office-viewer control and the PDF reader.

#include "documents/preview/previewprobes.h"

#include "core/fileversion.h"
#include "platform/registry.h"
#include "platform/viewerprobe.h"

#include <QFileInfo>
#include <QLibrary>

using namespace Qt::StringLiterals;
using ov::platform::Hive;
using ov::platform::Registry;

namespace ov {

namespace {

// The office suite that stands in for the Microsoft suite opens every Office Open XML type,
// so it answers as the current generation of that suite.
constexpr int kBridgeOfficeVersion = 16;
// The lowest WPS version that serves as a suite of its own (read as a number, "9.1" is 9.1).
constexpr double kLowestWpsVersion = 9.09;

constexpr char16_t kOfficeViewerControl[] =
    u"CLSID\\{F6FE8878-54D2-4333-B9F0-FC543B1BE1ED}\\Control";

std::optional<platform::OfficeSearchPaths>& ChosenPaths() {
    static std::optional<platform::OfficeSearchPaths> paths;
    return paths;
}

platform::OfficeSearchPaths SearchPaths() {
    return ChosenPaths().value_or(platform::OfficeSearchPaths::system());
}

bool ValidKind(std::uint8_t Tp) {
    return Tp >= 1 && Tp <= 3;
}

platform::OfficeKind KindOf(std::uint8_t Tp) {
    return platform::OfficeKind(Tp);
}

// The installation of the suite that serves the application, if any.
std::optional<platform::OfficeInstallation> SuiteFor(platform::OfficeSuite suite, std::uint8_t Tp) {
    if (!ValidKind(Tp)) return std::nullopt;
    auto found = platform::findOfficeSuite(suite, SearchPaths());
    if (found && found->serves(KindOf(Tp))) return found;
    return std::nullopt;
}

QString ApplicationName(std::uint8_t Tp) {
    static const QString names[] = {u"Word"_s, u"Excel"_s, u"PowerPoint"_s};
    return ValidKind(Tp) ? names[Tp - 1] : QString();
}

QString TwoDigitVersion(int number) {
    return u"V"_s + QString::number(number).rightJustified(2, u'0');
}

// The server command line registered for the automation class of `application`, upper-cased;
// nullopt when the class is not registered.
std::optional<QString> ServerCommandLine(const QString& application) {
    const QString classKey = application + u".Application\\CLSID"_s;
    if (!Registry::keyExists(Hive::ClassesRoot, classKey)) return std::nullopt;
    const QString classId = Registry::readString(Hive::ClassesRoot, classKey).value_or(QString());
    const QString serverKey = u"CLSID\\"_s + classId + u"\\LocalServer32"_s;
    if (!Registry::keyExists(Hive::ClassesRoot, serverKey)) return std::nullopt;
    return Registry::readString(Hive::ClassesRoot, serverKey).value_or(QString()).toUpper();
}

// A WPS version text read as a number: cut after the character that follows the first ".".
double WpsVersionNumber(const QString& version) {
    const qsizetype dot = version.indexOf(u'.');
    const QString cut = dot < 0 ? version : version.left(dot + 2);
    bool ok = false;
    const double number = cut.toDouble(&ok);
    return ok ? number : 0;
}

QString RegisteredFileVersion(const QString& commandLine, bool trim) {
    QString program = CutAtSwitch(commandLine);
    if (trim) program = program.trimmed().remove(u'"');
    if (!QFileInfo(program).isFile()) return {};
    return GetFileVersionText(program, u"%d.%d.%d.%d"_s);
}

TOfficePlatformType RegisteredPlatform(std::uint8_t Tp, const QString& commandLine) {
    static const QString microsoft[] = {u"WINWORD.EXE"_s, u"EXCEL.EXE"_s, u"POWERPNT.EXE"_s};
    static const QString wps[] = {u"WPS.EXE"_s, u"ET.EXE"_s, u"WPP.EXE"_s};
    if (commandLine.contains(microsoft[Tp - 1]))
        return Registry::keyExists(Hive::ClassesRoot, u".doc\\WPS.Doc.6"_s) ? OFT_WPS_6 : OFT_MS;
    if (commandLine.contains(wps[Tp - 1])) {
        const double version = WpsVersionNumber(RegisteredFileVersion(commandLine, true));
        return version >= kLowestWpsVersion ? OFT_WPS : OFT_NONE;
    }
    return OFT_NONE;
}

QString VersionText(const QVersionNumber& version) {
    return version.isNull() ? QString() : version.toString();
}

}  // namespace

QString OfficeVersionOf(std::uint8_t Tp, bool& IsExistMsoffice) {
    const QString key = ApplicationName(Tp) + u".Application\\CurVer"_s;
    if (!ValidKind(Tp) || !Registry::keyExists(Hive::ClassesRoot, key)) {
        if (!SuiteFor(platform::OfficeSuite::LibreOffice, Tp)) return u"VNotExists"_s;
        IsExistMsoffice = true;
        return TwoDigitVersion(kBridgeOfficeVersion);
    }
    const QString progId = Registry::readString(Hive::ClassesRoot, key).value_or(QString());
    const qsizetype at = progId.indexOf(u"Application."_s);
    const int number = at < 0 ? 0 : progId.mid(at + 12, 3).toInt();
    if (number <= 0) return {};
    IsExistMsoffice =
        Registry::keyExists(Hive::LocalMachine, u"SOFTWARE\\Microsoft\\Office\\%1.0"_s.arg(number));
    return TwoDigitVersion(number);
}

TOfficePlatformType OfficePlatformOf(std::uint8_t Tp) {
    if (!ValidKind(Tp)) return OFT_NONE;
    if (const auto commandLine = ServerCommandLine(ApplicationName(Tp)))
        return RegisteredPlatform(Tp, *commandLine);
    if (SuiteFor(platform::OfficeSuite::LibreOffice, Tp)) return OFT_MS;
    if (const auto wps = SuiteFor(platform::OfficeSuite::Wps, Tp))
        return WpsVersionNumber(VersionText(wps->version)) >= kLowestWpsVersion ? OFT_WPS
                                                                                : OFT_NONE;
    return OFT_NONE;
}

QString WpsVersionOf(std::uint8_t Tp) {
    static const QString names[] = {u"WPS"_s, u"ET"_s, u"WPP"_s};
    if (!ValidKind(Tp)) return {};
    if (const auto commandLine = ServerCommandLine(names[Tp - 1]))
        return FirstTwoVersionParts(RegisteredFileVersion(*commandLine, false));
    if (const auto wps = SuiteFor(platform::OfficeSuite::Wps, Tp))
        return FirstTwoVersionParts(VersionText(wps->version));
    return {};
}

bool OfficeViewerInstalled() {
    const QString control = QString::fromUtf16(kOfficeViewerControl);
    const auto& probe = platform::viewerProbe();
    if (probe.classKeyExists(control) || probe.classKeyExists(u"Wow6432Node\\"_s + control))
        return true;
    // The office bridge stands in for the control when its suite can be driven.
    const auto suite = platform::findOfficeSuite(platform::OfficeSuite::LibreOffice, SearchPaths());
    return suite && !suite->python.isEmpty();
}

bool OfficeProgramIsInstalled(std::uint8_t Tp) {
    return SuiteFor(platform::OfficeSuite::LibreOffice, Tp) ||
           SuiteFor(platform::OfficeSuite::Wps, Tp);
}

void AcrobatVersion(QString& Version, QString& TypeLibVer) {
    const auto reader = platform::pdfReaderVersion(platform::viewerProbe());
    TypeLibVer = reader.typeLibVersion;
    if (!reader.version.isEmpty()) Version = reader.version;
}

QString CutAtSwitch(const QString& commandLine) {
    const qsizetype at = commandLine.indexOf(u" /"_s);
    return at < 0 ? commandLine : commandLine.left(at);
}

QString FirstTwoVersionParts(const QString& version) {
    const qsizetype first = version.indexOf(u'.');
    const qsizetype second = first < 0 ? -1 : version.indexOf(u'.', first + 1);
    return second < 0 ? version : version.left(second);
}

bool RegisterComServer(const QString& FileName, std::uint8_t Register) {
    using EntryPoint = std::int32_t (*)();
    QLibrary library(FileName);
    if (!library.load()) return false;
    const char* name = Register == 1 ? "DllRegisterServer" : "DllUnregisterServer";
    const auto entry = reinterpret_cast<EntryPoint>(library.resolve(name));
    const bool ok = entry && entry() >= 0;
    library.unload();
    return ok;
}

void SetOfficeSearchPaths(std::optional<platform::OfficeSearchPaths> where) {
    ChosenPaths() = std::move(where);
}

TOfficeViewerType PreviewProbes::officeViewerType() const {
    return OfficeViewerInstalled() ? OVIEWER_ED : OVIEWER_NONE;
}

PreviewProbes::ExcelAddin PreviewProbes::foxitExcelAddin() const {
    const QString key = u"CLSID\\{BD1F4C11-5491-4DD3-9BC0-758FF07081C0}"_s;
    if (!platform::viewerProbe().classKeyExists(key)) return {};
    const QString server = key + u"\\InprocServer32"_s;
    if (!Registry::keyExists(Hive::ClassesRoot, server)) return {true, std::nullopt};
    return {true, Registry::readString(Hive::ClassesRoot, server).value_or(QString())};
}

}  // namespace ov
