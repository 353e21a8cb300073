#include "officetestsupport.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QProcess>

#include <unistd.h>
#include <unzip.h>

using namespace Qt::StringLiterals;

namespace ov::test {

QString officeFixture(const QString& name) {
    return QStringLiteral(OV_OFFICE_FIXTURES) + name;
}

std::optional<platform::OfficeInstallation> realLibreOffice() {
    return platform::findOfficeSuite(platform::OfficeSuite::LibreOffice);
}

QByteArray zipEntry(const QString& package, const char* entry) {
    unzFile zip = unzOpen64(QFile::encodeName(package).constData());
    if (!zip) return {};
    QByteArray content;
    if (unzLocateFile(zip, entry, 1) == UNZ_OK && unzOpenCurrentFile(zip) == UNZ_OK) {
        char buffer[16384];
        int n = 0;
        while ((n = unzReadCurrentFile(zip, buffer, sizeof buffer)) > 0)
            content.append(buffer, n);
        unzCloseCurrentFile(zip);
    }
    unzClose(zip);
    return content;
}

std::optional<QString> toolOutput(const QString& program, const QStringList& arguments) {
    QProcess tool;
    tool.start(program, arguments);
    if (!tool.waitForFinished(60000) || tool.exitStatus() != QProcess::NormalExit ||
        tool.exitCode() != 0)
        return std::nullopt;
    return QString::fromUtf8(tool.readAllStandardOutput());
}

int pdfPages(const QString& pdf) {
    const auto info = toolOutput(u"pdfinfo"_s, {pdf});
    if (!info) return -1;
    for (const QString& line : info->split(u'\n')) {
        if (line.startsWith(u"Pages:"_s)) return line.mid(6).trimmed().toInt();
    }
    return -1;
}

QStringList entriesBelow(const QString& folder) {
    QStringList found;
    QDirIterator it(folder, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext())
        found << QDir(folder).relativeFilePath(it.next());
    return found;
}

int processesMentioning(const QString& text) {
    int count = 0;
    const QByteArray wanted = QFile::encodeName(text);
    for (const QString& id : QDir(u"/proc"_s).entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        QFile cmdline(u"/proc/"_s + id + u"/cmdline"_s);
        if (cmdline.open(QIODevice::ReadOnly) && cmdline.read(65536).contains(wanted)) ++count;
    }
    return count;
}

QStringList officeSockets() {
    const QString prefix = u"OSL_PIPE_"_s + QString::number(getuid()) + u'_';
    return QDir(u"/tmp"_s).entryList({prefix + u'*'}, QDir::System | QDir::Files);
}

QStringList staleOfficeSockets() {
    QFile table(u"/proc/net/unix"_s);
    if (!table.open(QIODevice::ReadOnly)) return officeSockets();
    const QString listening = QString::fromUtf8(table.readAll());
    QStringList stale;
    for (const QString& name : officeSockets()) {
        if (!listening.contains(u"/tmp/"_s + name)) stale.append(name);
    }
    return stale;
}

}  // namespace ov::test
