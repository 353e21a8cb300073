#include "control/members/hostsfile.h"

#include <QFile>
#include <QRegularExpression>
#include <QSaveFile>
#include <QStringList>
#include <optional>

using namespace Qt::StringLiterals;

namespace ov::control {

namespace {

constexpr qint64 kMaxHostsFile = 8 * 1024 * 1024;
const QString kMarker = u"#访问Orvane文档管理系统的快捷IP解析"_s;

QString& pathOverride() {
    static QString path;
    return path;
}

struct Entry {
    QString address;
    QStringList names;
};

// The entry of one line: its fields before any "#"; no address when the line has none.
Entry parseLine(const QString& line) {
    static const QRegularExpression blanks(u"\\s+"_s);
    QStringList fields = line.section(u'#', 0, 0).split(blanks, Qt::SkipEmptyParts);
    if (fields.isEmpty()) return {};
    Entry entry{fields.takeFirst(), fields};
    return entry;
}

std::optional<QStringList> readLines() {
    QFile file(HostsFilePath());
    if (!file.open(QIODevice::ReadOnly)) return std::nullopt;
    QString text = QString::fromUtf8(file.read(kMaxHostsFile));
    text.replace(u"\r\n"_s, u"\n"_s);
    QStringList lines = text.split(u'\n');
    if (!lines.isEmpty() && lines.last().isEmpty()) lines.removeLast();
    return lines;
}

bool namesHost(const Entry& entry, const QString& host) {
    return entry.names.contains(host, Qt::CaseInsensitive);
}

// The line without `host`; empty when it was an entry of that name alone.
std::optional<QString> withoutHost(const QString& line, const QString& host) {
    const Entry entry = parseLine(line);
    if (!namesHost(entry, host)) return line;
    QStringList names = entry.names;
    names.removeIf(
        [&](const QString& name) { return name.compare(host, Qt::CaseInsensitive) == 0; });
    if (names.isEmpty()) return std::nullopt;
    const qsizetype hash = line.indexOf(u'#');
    const QString comment = hash < 0 ? QString() : u" "_s + line.mid(hash);
    return entry.address + u'\t' + names.join(u' ') + comment;
}

QStringList mappedLines(const QStringList& lines, const QString& ip, const QString& host) {
    QStringList kept;
    for (const QString& line : lines) {
        if (line.trimmed() == kMarker) continue;
        if (const auto rest = withoutHost(line, host)) kept << *rest;
    }
    while (!kept.isEmpty() && kept.last().trimmed().isEmpty())
        kept.removeLast();
    kept << QString() << kMarker << ip + u'\t' + host;
    return kept;
}

void keepBackup(const QString& path) {
    const QString backup = path + u".bak"_s;
    QFile::remove(backup);
    QFile::copy(path, backup);
}

}  // namespace

QString HostsFilePath() {
    return pathOverride().isEmpty() ? u"/etc/hosts"_s : pathOverride();
}

void SetHostsFilePath(const QString& path) {
    pathOverride() = path;
}

QString HostsNameOf(const QString& ip) {
    for (const QString& line : readLines().value_or(QStringList())) {
        const Entry entry = parseLine(line);
        if (entry.address == ip && !ip.isEmpty()) return entry.names.join(u' ');
    }
    return {};
}

QString HostsAddressOf(const QString& host) {
    for (const QString& line : readLines().value_or(QStringList())) {
        const Entry entry = parseLine(line);
        if (namesHost(entry, host)) return entry.address;
    }
    return {};
}

bool HostsFieldIsValid(const QString& field) {
    static const QRegularExpression unsafe(u"[\\s#]"_s);
    return !field.isEmpty() && field.size() <= 255 && !field.contains(unsafe);
}

bool HostsMap(const QString& ip, const QString& host) {
    const QString path = HostsFilePath();
    const auto lines = readLines();
    if (!lines) return false;
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) return false;
    file.write(mappedLines(*lines, ip, host).join(u'\n').toUtf8() + '\n');
    keepBackup(path);
    return file.commit();
}

}  // namespace ov::control
