#include "documents/versions/localcopy.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <algorithm>

using namespace Qt::StringLiterals;

namespace ov {

TLocalCopyGuard::TLocalCopyGuard(const QString& local) : m_local(local), m_before(backups()) {}

QSet<QString> TLocalCopyGuard::backups() const {
    const QFileInfo info(m_local);
    const QRegularExpression pattern(QRegularExpression::anchoredPattern(
        QRegularExpression::escape(info.fileName()) + u"_\\d{6}_\\d{6}\\.bak"_s));
    QSet<QString> found;
    const QStringList names =
        info.dir().entryList({info.fileName() + u"_*.bak"_s}, QDir::Files | QDir::Hidden);
    for (const QString& name : names)
        if (pattern.match(name).hasMatch()) found.insert(info.dir().filePath(name));
    return found;
}

TLocalCopyGuard::~TLocalCopyGuard() {
    if (m_keep) return;
    QStringList made = (backups() - m_before).values();
    if (made.isEmpty()) return;
    // The names carry the time: the first one holds the file as it was before the download.
    std::sort(made.begin(), made.end());
    QFile::remove(m_local);
    if (!QFile::rename(made.first(), m_local)) return;  // the backup stays where it is
    for (qsizetype i = 1; i < made.size(); ++i)
        QFile::remove(made[i]);
}

void MakeWritable(const QString& local) {
    QFile file(local);
    if (file.exists()) file.setPermissions(file.permissions() | QFile::WriteOwner);
}

}  // namespace ov
