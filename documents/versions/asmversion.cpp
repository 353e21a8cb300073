#include "documents/versions/asmversion.h"

#include "core/paths.h"

#include <QDir>
#include <QFileInfo>

using namespace Qt::StringLiterals;

namespace ov {

namespace {

// The number after "name." (at most eight digits); -1 when there is none.
qint64 numberAfter(const QString& entry, const QString& name) {
    const QString digits = entry.mid(name.size() + 1).left(8);
    bool ok = false;
    const qint64 n = digits.toLongLong(&ok);
    return ok && n >= 0 && entry.size() - name.size() - 1 <= 8 ? n : -1;
}

}  // namespace

QString LatestAsmVersion(const QString& path) {
    if (ExtractFileExtNoDot(path).toLower() != u"asm"_s) return path;
    const QFileInfo info(path);
    const QDir folder = info.dir();
    const QString name = info.fileName();
    qint64 best = -1;
    QString latest = path;
    const QStringList entries =
        folder.entryList({name + u".*"_s}, QDir::Files | QDir::Hidden | QDir::CaseSensitive);
    for (const QString& entry : entries) {
        const qint64 n = numberAfter(entry, name);
        if (n > best) {
            best = n;
            latest = folder.filePath(entry);
        }
    }
    return latest;
}

}  // namespace ov
