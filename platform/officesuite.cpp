#include "platform/officesuite.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

using namespace Qt::StringLiterals;

namespace ov::platform {

namespace {

// Lines longer than this in the files read here are not ours to parse.
constexpr qint64 kMaxLine = 4096;

QString asFolder(const QString& path) {
    QString folder = QDir::cleanPath(path);
    return folder.endsWith(u'/') ? folder : folder + u'/';
}

bool isExecutable(const QString& path) {
    const QFileInfo info(path);
    return info.isFile() && info.isExecutable();
}

// The value after "key=" on the first line that starts with it, in a small text file.
QString readKey(const QString& fileName, const QString& key) {
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) return {};
    const QString prefix = key + u'=';
    for (int n = 0; n < 1000 && !file.atEnd(); ++n) {
        const QString line = QString::fromUtf8(file.readLine(kMaxLine)).trimmed();
        if (line.startsWith(prefix)) return line.mid(prefix.size());
    }
    return {};
}

// "LibreOffice 7.4" gives 7.4.
QVersionNumber productKeyVersion(const QString& productKey) {
    const QString last = productKey.section(u' ', -1);
    return QVersionNumber::fromString(last);
}

// A package's version from the package database: "1:11.1.0.11719-2" gives 11.1.0.11719.
QVersionNumber packageVersion(const QString& statusFile, const QString& package) {
    QFile file(statusFile);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) return {};
    bool inStanza = false;
    while (!file.atEnd()) {
        const QString line = QString::fromUtf8(file.readLine(kMaxLine)).trimmed();
        if (line.startsWith(u"Package: "_s))
            inStanza = line.mid(9) == package;
        else if (inStanza && line.startsWith(u"Version: "_s))
            return QVersionNumber::fromString(line.mid(9).section(u':', -1));
    }
    return {};
}

QString pythonFor(const QString& folder, const QString& systemPython) {
    if (isExecutable(folder + u"python"_s))
        return folder + u"python"_s;  // a LibreOffice that brings its own interpreter
    if (QFile::exists(folder + u"pythonloader.py"_s) && isExecutable(systemPython))
        return systemPython;
    return {};
}

std::optional<OfficeInstallation> libreOfficeIn(const QString& path, const QString& python) {
    const QString folder = asFolder(path);
    if (!isExecutable(folder + u"soffice"_s)) return std::nullopt;
    OfficeInstallation office;
    office.suite = OfficeSuite::LibreOffice;
    office.folder = folder;
    office.program = folder + u"soffice"_s;
    office.version = productKeyVersion(readKey(folder + u"bootstraprc"_s, u"ProductKey"_s));
    const QString registry = folder + u"../share/registry/"_s;
    office.word = QFile::exists(registry + u"writer.xcd"_s);
    office.excel = QFile::exists(registry + u"calc.xcd"_s);
    office.powerPoint = QFile::exists(registry + u"impress.xcd"_s);
    office.draw = QFile::exists(registry + u"draw.xcd"_s);
    office.python = pythonFor(folder, python);
    return office;
}

std::optional<OfficeInstallation> wpsIn(const QString& path, const QString& statusFile) {
    const QString folder = asFolder(path);
    OfficeInstallation office;
    office.suite = OfficeSuite::Wps;
    office.folder = folder;
    office.program = folder + u"wps"_s;
    office.word = isExecutable(folder + u"wps"_s);
    office.excel = isExecutable(folder + u"et"_s);
    office.powerPoint = isExecutable(folder + u"wpp"_s);
    if (!office.word && !office.excel && !office.powerPoint) return std::nullopt;
    office.version = packageVersion(statusFile, u"wps-office"_s);
    return office;
}

// The program folder of the soffice found on PATH, through its links.
QString sofficeOnPath() {
    const QString found = QStandardPaths::findExecutable(u"soffice"_s);
    const QString real = found.isEmpty() ? QString() : QFileInfo(found).canonicalFilePath();
    return real.isEmpty() ? QString() : QFileInfo(real).absolutePath();
}

// /opt/libreoffice7.6/program/ and the like, the latest first.
QStringList optLibreOffices() {
    QStringList folders;
    const QStringList names =
        QDir(u"/opt"_s).entryList({u"libreoffice*"_s}, QDir::Dirs, QDir::Name | QDir::Reversed);
    for (const QString& name : names)
        folders << u"/opt/"_s + name + u"/program/"_s;
    return folders;
}

// Configuration layers larger than this are not ours to read.
constexpr qint64 kMaxLayer = 16 * 1024 * 1024;

bool layerNames(const QString& layer, const QByteArray& name) {
    QFile file(layer);
    return file.size() <= kMaxLayer && file.open(QIODevice::ReadOnly) &&
           file.readAll().contains(name);
}

}  // namespace

bool hasImportFilter(const OfficeInstallation& office, const QString& filterName) {
    if (office.suite != OfficeSuite::LibreOffice || filterName.isEmpty()) return false;
    const QByteArray name = "oor:name=\"" + filterName.toUtf8() + '"';
    const QDir registry(office.folder + u"../share/registry/"_s);
    for (const QString& layer : registry.entryList({u"*.xcd"_s}, QDir::Files)) {
        if (layerNames(registry.filePath(layer), name)) return true;
    }
    return false;
}

bool OfficeInstallation::serves(OfficeKind kind) const {
    switch (kind) {
        case OfficeKind::Word:
            return word;
        case OfficeKind::Excel:
            return excel;
        case OfficeKind::PowerPoint:
            return powerPoint;
    }
    return false;
}

OfficeSearchPaths OfficeSearchPaths::system() {
    OfficeSearchPaths where;
    const QString onPath = sofficeOnPath();
    if (!onPath.isEmpty()) where.libreOffice << onPath;
    where.libreOffice << u"/usr/lib/libreoffice/program/"_s << optLibreOffices();
    where.wps << u"/opt/kingsoft/wps-office/office6/"_s;
    where.packageStatus = u"/var/lib/dpkg/status"_s;
    where.systemPython = u"/usr/bin/python3"_s;
    return where;
}

std::optional<OfficeInstallation> findOfficeSuite(OfficeSuite suite,
                                                  const OfficeSearchPaths& where) {
    const bool libre = suite == OfficeSuite::LibreOffice;
    for (const QString& folder : libre ? where.libreOffice : where.wps) {
        auto office =
            libre ? libreOfficeIn(folder, where.systemPython) : wpsIn(folder, where.packageStatus);
        if (office) return office;
    }
    return std::nullopt;
}

std::vector<OfficeInstallation> findOfficeSuites(const OfficeSearchPaths& where) {
    std::vector<OfficeInstallation> found;
    for (OfficeSuite suite : {OfficeSuite::LibreOffice, OfficeSuite::Wps}) {
        if (auto office = findOfficeSuite(suite, where)) found.push_back(*office);
    }
    return found;
}

}  // namespace ov::platform
