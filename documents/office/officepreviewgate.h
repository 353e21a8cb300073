#pragma once
// Whether this machine can show an office document at all, decided before anything is
// downloaded: which suite serves the document's kind, whether its version is good enough, and
// whether the viewer (a LibreOffice that converts the document for the built-in viewer) is
// there. A pure function of the file type and the installed suites, so that every answer can be
// tried without installing anything.
//
// The suites of this system stand in for the ones the previewer was written for:
//  - a LibreOffice whose application for the document's kind is installed, and whose version is
//    known, is the office that the viewer drives ("the office is present");
//  - WPS Office for Linux from version 9.1 on is the WPS suite; an older WPS, or one whose
//    version cannot be told, is the old WPS that is not supported; when WPS is installed for
//    the kind it serves the document (it registers itself as the office for it);
//  - the viewer itself is usable when a LibreOffice with its soffice program is installed
//    (every document is converted by it, also the ones that WPS would open).

#include "platform/officesuite.h"

#include <QString>
#include <QVersionNumber>
#include <cstdint>
#include <optional>
#include <vector>

namespace ov {

// The document kinds of the previewer; None for any other file type.
enum class OfficeDocKind { None = 0, Word = 1, Excel = 2, PowerPoint = 3 };

// Which suite serves the document.
enum class OfficePlatform { None, LibreOffice, Wps, OldWps };

// What the previewer does after the gate.
enum class OfficeGateOutcome {
    Load,              // download and show
    HintNeedOffice,    // no suite serves the kind: the "need Office" advice in the hint window
    BoxNeedOoxml,      // an office too old for the Open XML formats: message box
    BoxNeedWps,        // a WPS-only format without WPS: message box
    HintOldWps,        // WPS older than 2013 without another office: hint window
    BoxViewerMissing,  // the viewer cannot be used: message box
    HintCannotView,    // a suite is there but cannot show it: the "need Office" advice
};

// Kind from the extension (without dot, any case): doc, wps, docx, dotx are Word; et, xls, xlsm,
// xlsx Excel; dps, pps, ppt, pptx PowerPoint.
OfficeDocKind officeDocKind(const QString& ext);
OfficeDocKind officeDocKind(std::int32_t fileTypeCode);

// The first LibreOffice version (every LibreOffice reads the Open XML formats; an older office
// under its name does not) and the first WPS version that is supported (WPS 2013).
inline const QVersionNumber kFirstOoxmlLibreOffice{3, 3};
inline const QVersionNumber kFirstSupportedWps{9, 1};

struct OfficeGate {
    OfficeDocKind kind = OfficeDocKind::None;
    OfficePlatform platform = OfficePlatform::None;
    bool officePresent = false;  // a LibreOffice with the kind's application and a known version
    // The LibreOffice that converts the document for viewing; none when the viewer is unusable.
    std::optional<platform::OfficeInstallation> converter;
    OfficeGateOutcome outcome = OfficeGateOutcome::HintNeedOffice;
};

// Decides for a file of that extension with these installed suites (findOfficeSuites()).
OfficeGate decideOfficeGate(const QString& ext,
                            const std::vector<platform::OfficeInstallation>& suites);

}  // namespace ov
