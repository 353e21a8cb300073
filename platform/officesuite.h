#pragma once
// Which office suites are installed, what each serves and its version.
//
// LibreOffice is found by its program folder (the one that holds "soffice"); which of its
// applications are installed follows from the configuration layers it ships per application
// (share/registry/writer.xcd, calc.xcd, impress.xcd), and its version from the product key of its
// bootstrap file ("LibreOffice 7.4"). WPS Office for Linux is found by its program folder and its
// three programs (wps, et, wpp); its version comes from the package database.
// Versions are numbers (QVersionNumber) and compare numerically: 10.1 is later than 9.1.

#include <QString>
#include <QStringList>
#include <QVersionNumber>
#include <optional>
#include <vector>

namespace ov::platform {

enum class OfficeSuite { LibreOffice, Wps };

// The three kinds of office documents, numbered as the application numbers of the probes.
enum class OfficeKind { Word = 1, Excel = 2, PowerPoint = 3 };

struct OfficeInstallation {
    OfficeSuite suite = OfficeSuite::LibreOffice;
    QString folder;          // program folder, ends with "/"
    QString program;         // LibreOffice: soffice; WPS: the word-processor program
    QVersionNumber version;  // null when it cannot be told
    bool word = false;       // the applications installed for each kind of document
    bool excel = false;
    bool powerPoint = false;
    bool draw = false;  // LibreOffice's drawing application (it imports drawings of other programs)
    // LibreOffice only: the Python interpreter that has LibreOffice's bridge; empty when the
    // bridge is not installed (document operations are then unavailable).
    QString python;

    bool serves(OfficeKind kind) const;
};

// Where to look. system() gives the system's places; tests point these at folders of their own.
struct OfficeSearchPaths {
    QStringList libreOffice;  // candidate program folders, first found wins
    QStringList wps;          // candidate program folders, first found wins
    QString packageStatus;    // the package database's status file (WPS's version)
    QString systemPython;     // interpreter for a LibreOffice that brings none of its own

    static OfficeSearchPaths system();
};

// Every installed suite, LibreOffice first. Reads a few small files; starts no process.
std::vector<OfficeInstallation> findOfficeSuites(
    const OfficeSearchPaths& where = OfficeSearchPaths::system());

// Whether the LibreOffice has the import filter of that name ("draw_Visio_Document",
// "draw_CorelDraw_Document") among its installed configuration layers.
bool hasImportFilter(const OfficeInstallation& office, const QString& filterName);

// The one installation of that suite, if any.
std::optional<OfficeInstallation> findOfficeSuite(
    OfficeSuite suite, const OfficeSearchPaths& where = OfficeSearchPaths::system());

}  // namespace ov::platform
