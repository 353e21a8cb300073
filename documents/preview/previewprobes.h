#pragma once
// The probes of installed office suites, the office-viewer control and the PDF reader that
// the previewers, the editors and both viewer choices ask.
//
// Each probe first walks the registry store (platform/registry.h) as the program always has;
// on this system the store usually holds none of those keys, and then the suites that are
// really installed answer (platform/officesuite.h): LibreOffice stands in for the Microsoft
// suite and for the office-viewer control (it is the office bridge), WPS Office for Linux for
// WPS. The PDF reader's answers come from the viewer probe (platform/viewerprobe.h).

#include "platform/officesuite.h"

#include <QString>
#include <cstdint>
#include <optional>

namespace ov {

enum TOfficeViewerType : std::uint8_t {
    OVIEWER_NONE = 0,
    OVIEWER_OLE = 1,
    OVIEWER_ED = 2,
    OVIEWER_NTKO = 3
};

enum TOfficePlatformType : std::uint8_t { OFT_NONE = 0, OFT_MS = 1, OFT_WPS = 2, OFT_WPS_6 = 3 };

// The application numbers of the probes: 1 Word, 2 Excel, 3 PowerPoint; other values answer
// as a missing application.
//
// The office version: "VNotExists" when the application has no current version registered,
// else "V" + the major version with at least two digits ("V09", "V16"); empty when the
// registered version is no number. IsExistMsoffice is set when a version was found (whether
// the suite's own key is there), and left as it was otherwise.
QString OfficeVersionOf(std::uint8_t Tp, bool& IsExistMsoffice);
// Which suite serves the application (OFT_WPS only from WPS version 9.09 on).
TOfficePlatformType OfficePlatformOf(std::uint8_t Tp);
// The version of the WPS program that serves the application, cut to its first two parts
// ("9.1"); empty when there is none.
QString WpsVersionOf(std::uint8_t Tp);
// The office-viewer control is available.
bool OfficeViewerInstalled();
// The office program for the application is installed (what a new office-viewer control
// answers); false for other values of Tp.
bool OfficeProgramIsInstalled(std::uint8_t Tp);
// The PDF reader: TypeLibVer "V7", "V5" or empty; Version its version text, left unchanged
// when the reader's version is unknown.
void AcrobatVersion(QString& Version, QString& TypeLibVer);

// A command line cut before its first " /" (no trimming).
QString CutAtSwitch(const QString& commandLine);
// A version text cut before its second "." ("9.1.0.4047" gives "9.1"); a text with fewer than
// two dots stays whole.
QString FirstTwoVersionParts(const QString& version);

// Loads the library and calls its "DllRegisterServer" (Register 1) or "DllUnregisterServer"
// (any other value); true when the entry exists and returns a value >= 0. The library is
// unloaded afterwards.
bool RegisterComServer(const QString& FileName, std::uint8_t Register);

// Where the probes look for installed suites: the system's places, unless a test set others
// (nullopt goes back to the system's). Use on the user-interface thread.
void SetOfficeSearchPaths(std::optional<platform::OfficeSearchPaths> where);

// The probes as the base form of the previewers asks them (it owns one).
class PreviewProbes {
public:
    // OVIEWER_ED when the office-viewer control is available, else OVIEWER_NONE.
    TOfficeViewerType officeViewerType() const;
    bool officeViewerInstalled() const { return OfficeViewerInstalled(); }
    bool officeProgramInstalled(std::uint8_t Tp) const { return OfficeProgramIsInstalled(Tp); }
    QString officeVersion(std::uint8_t Tp, bool& IsExistMsoffice) const {
        return OfficeVersionOf(Tp, IsExistMsoffice);
    }
    TOfficePlatformType officePlatform(std::uint8_t Tp) const { return OfficePlatformOf(Tp); }
    QString wpsVersion(std::uint8_t Tp) const { return WpsVersionOf(Tp); }
    void acrobatVersion(QString& Version, QString& TypeLibVer) const {
        AcrobatVersion(Version, TypeLibVer);
    }

    // The PDF add-in of the spreadsheet program that breaks loading: registered or not, and
    // the library its server key names (nullopt when it has no server key).
    struct ExcelAddin {
        bool found = false;
        std::optional<QString> library;
    };
    ExcelAddin foxitExcelAddin() const;
};

}  // namespace ov
