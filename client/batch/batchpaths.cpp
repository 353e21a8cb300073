// Path rules of the batch worker.

#include "client/batch/batchpaths.h"

#include <QFileInfo>
#include <QStringList>

using namespace Qt::StringLiterals;

namespace ov {

namespace {

qsizetype LastSeparator(const QString& text, qsizetype before) {
    for (qsizetype i = before - 1; i >= 0; --i)
        if (text[i] == u'/' || text[i] == u'\\') return i;
    return -1;
}

QString WithSlash(const QString& folder) {
    return folder.isEmpty() || folder.endsWith(u'/') ? folder : folder + u'/';
}

QString StripSeparator(QString path) {
    while (path.size() > 1 && (path.endsWith(u'/') || path.endsWith(u'\\')))
        path.chop(1);
    return path;
}

}  // namespace

QString LastFolderPart(const QString& folder) {
    const qsizetype cut = LastSeparator(folder, folder.size() - 1);
    return cut < 0 ? folder : folder.mid(cut + 1);
}

QString RootPart(const TBatchTransport& task) {
    return task.IncludeRootPath ? LastFolderPart(task.SourceFolderName) : QString();
}

QString RelativePart(const QString& serverPath, const QString& sourceFolderName) {
    qsizetype at = sourceFolderName.isEmpty() ? -1 : serverPath.indexOf(sourceFolderName);
    QString rest;
    if (at >= 0) rest = serverPath.mid(at + sourceFolderName.size());
    else if ((at = serverPath.indexOf(u":\\"_s)) >= 0) rest = serverPath.mid(at + 2);
    else rest = serverPath;
    return rest.left(1024);
}

QString FileNameOf(const QString& path) {
    return path.mid(LastSeparator(path, path.size()) + 1);
}

QString StripUnsafeParts(const QString& relative) {
    QStringList kept;
    for (const QString& part : QString(relative).replace(u'\\', u'/').split(u'/')) {
        if (part.isEmpty() || part == u"."_s || part == u".."_s) continue;
        if (part.contains(QChar(0)) || part.endsWith(u':')) continue;
        kept.append(part);
    }
    return kept.join(u'/');
}

QString UploadSubFolder(const QString& sourceFolderName, bool includeRootPath,
                        const QString& filePath) {
    QString source = sourceFolderName;
    if (includeRootPath) {
        for (qsizetype i = source.size() - 3; i > 1; --i)
            if (source[i] == u'/' || source[i] == u'\\') {
                source = source.left(i + 1);
                break;
            }
    }
    QString folder = QString(filePath).replace(u'\\', u'/');
    folder = folder.left(folder.lastIndexOf(u'/') + 1);
    source.replace(u'\\', u'/');
    const qsizetype at = source.isEmpty() ? -1 : folder.toLower().indexOf(source.toLower());
    if (at < 0) return QString();
    return folder.mid(at + source.size()).left(1024).replace(u'/', u'\\');
}

QString DownloadTarget(const TBatchTransport& task, const QString& serverPath) {
    const QString name = StripUnsafeParts(FileNameOf(serverPath));
    if (task.FF == FF_File) {
        const QString named = StripSeparator(task.DestFolderName);
        if (!name.isEmpty() && FileNameOf(named).compare(name, Qt::CaseInsensitive) == 0 &&
            !QFileInfo(named).isDir())
            return named;
        return name.isEmpty() ? QString() : WithSlash(task.DestFolderName) + name;
    }
    const QString root = StripUnsafeParts(RootPart(task));
    const QString relative =
        StripUnsafeParts(RelativePart(serverPath, task.SourceFolderName));
    if (relative.isEmpty() || task.DestFolderName.isEmpty()) return QString();
    return WithSlash(task.DestFolderName) + (root.isEmpty() ? QString() : root + u'/') + relative;
}

QString DownloadFolderTarget(const TBatchTransport& task, const QString& serverFolder) {
    const QString root = StripUnsafeParts(RootPart(task));
    const QString relative = StripUnsafeParts(RelativePart(serverFolder, task.SourceFolderName));
    if (task.DestFolderName.isEmpty()) return QString();
    QString path = WithSlash(task.DestFolderName) + (root.isEmpty() ? QString() : root + u'/');
    return WithSlash(path + relative);
}

QString SingleUploadSource(const QString& sourceFolderName) {
    if (QFileInfo(sourceFolderName).isFile()) return sourceFolderName;
    const QString stripped = StripSeparator(sourceFolderName);
    return QFileInfo(stripped).isFile() ? stripped : sourceFolderName;
}

}  // namespace ov
