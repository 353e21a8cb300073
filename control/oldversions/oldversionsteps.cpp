#include "control/oldversions/oldversionsteps.h"

#include "core/renamenoreplace.h"
#include "core/robottcpclient.h"

#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <cstring>

using namespace Qt::StringLiterals;

namespace ov::control {

namespace {

// The base name and the extension (with its dot) of a file name.
std::pair<QString, QString> SplitName(const QString& fileName) {
    QString name = fileName;
    name.replace(u'\\', u'/');
    name = name.section(u'/', -1);
    const qsizetype dot = name.lastIndexOf(u'.');
    if (dot <= 0) return {name, QString()};
    return {name.left(dot), name.mid(dot)};
}

}  // namespace

QVector<std::int32_t> ParseVersionIds(const QString& text) {
    QVector<std::int32_t> ids;
    for (const QString& part : text.split(u',', Qt::SkipEmptyParts)) {
        if (part.trimmed().isEmpty()) continue;
        ids.append(part.trimmed().toInt());
    }
    return ids;
}

TOldVersionTarget OldVersionTarget(const QString& folder, const QString& fileName,
                                   std::int32_t versionId) {
    const auto [base, ext] = SplitName(fileName);
    const QString replace = u"[IsReplace]True[/IsReplace]"_s;
    if (versionId < 0)
        return {folder + base + ext, u"[VersionId]-1[/VersionId]"_s + replace};
    const QString v = QString::number(versionId);
    return {folder + base + u'_' + v + ext, u"[VersionId]"_s + v + u"[/VersionId]"_s + replace};
}

QString StampedName(const QString& target, const QDateTime& now) {
    const qsizetype cut = target.lastIndexOf(u'/') + 1;
    const auto [base, ext] = SplitName(target.mid(cut));
    const QString stamp = now.toString(u"yyMMddhhmmss"_s) + QString::number(now.time().msec());
    return target.left(cut) + base + u'_' + stamp + ext;
}

TOldVersionResult FetchOldVersion(const TServerAccess& access, std::int64_t fileKey,
                                  const TOldVersionTarget& target, std::atomic<bool>* cancel,
                                  const std::function<void(qint64, qint64)>& progress,
                                  const QDateTime& now) {
    if (QFileInfo(target.Path).exists() || QFileInfo(target.Path).isSymLink()) {
        const QString kept = StampedName(target.Path, now);
        if (!RenameNoReplace(target.Path, kept))
            return {0,
                    u"Cannot rename %1 to %2: %3"_s.arg(target.Path, kept,
                                                      QString::fromLocal8Bit(std::strerror(errno))),
                    true};
    }
    auto client = access.NewClient();
    client->PIsBreak = cancel;
    if (progress)
        client->OnTransmitState = [&progress](void*, qint64 all, qint64 done) {
            progress(all, done);
        };
    const std::uint8_t code = client->DownloadFile(target.Path, target.Extra, fileKey);
    // A transfer stopped half-way leaves no partial file under the version's name.
    if (code != 10 && cancel && cancel->load() && QFileInfo(target.Path).isFile())
        QFile::remove(target.Path);
    return {code, code == 10 ? QString() : client->GetLastError(), false};
}

}  // namespace ov::control
