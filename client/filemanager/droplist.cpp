#include "client/filemanager/droplist.h"

#include <QDirIterator>
#include <QFileInfo>

namespace ov {

QStringList BuildDropList(const QList<QUrl>& urls) {
    QStringList list;
    for (const QUrl& url : urls) {
        if (!url.isLocalFile()) continue;
        const QFileInfo info(url.toLocalFile());
        if (info.isDir() && !info.isSymLink())
            list.prepend(info.absoluteFilePath());
        else if (info.isFile())
            list.append(info.absoluteFilePath());
    }
    return list;
}

QStringList ExpandDropFolders(const QStringList& entries) {
    QStringList files;
    for (const QString& entry : entries) {
        const QFileInfo info(entry);
        if (!info.isDir() || info.isSymLink()) {
            files.append(entry);
            continue;
        }
        QStringList below;
        QDirIterator it(entry, QDir::Files | QDir::Hidden | QDir::System,
                        QDirIterator::Subdirectories);  // links to folders are not followed
        while (it.hasNext() && files.size() + below.size() < kMaxDropFiles) below.append(it.next());
        below.sort();
        files.append(below);
    }
    return files;
}

QString DropBaseFolder(const QStringList& entries) {
    if (entries.isEmpty()) return QString();
    QString first = entries.first();
    while (first.size() > 1 && (first.endsWith(u'/') || first.endsWith(u'\\'))) first.chop(1);
    const qsizetype slash = first.lastIndexOf(u'/');
    return slash < 0 ? QString() : first.left(slash + 1);
}

}  // namespace ov
