// The preview download on a fresh connection of the server client, and the clean-up of a copy
// that did not arrive whole.

#include "documents/preview/previewdownload.h"

#include "core/paths.h"
#include "core/resultcode.h"
#include "core/robottcpclient.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPointer>
#include <QRegularExpression>

using namespace Qt::StringLiterals;

namespace ov {

QString PreviewExtraText(const QString& hashPs, int fileVer) {
    // The value comes from the page's document options: a bracket in it could close the tag
    // and add tags of its own ("[IsPreView]False", another "[Versionid]") to the request.
    QString hash = hashPs;
    hash.remove(u'[').remove(u']');
    QString text = RequestTag(u"HashPs"_s, hash) + u"[IsPreView]True[/IsPreView]"_s +
                   u"[IsReplace]True[/IsReplace]"_s;
    if (fileVer >= 0) text += RequestTagNum(u"Versionid"_s, fileVer);
    return text;
}

PreviewDownloadResult RunPreviewDownload(const PreviewDownloadRequest& request,
                                         std::atomic<bool>* cancel) {
    PreviewDownloadResult result;
    {
        TRobotTcpClient client(request.isSsl);
        client.SetHost(request.host);
        client.SetPort(request.port);
        client.SetUseTls(request.isSsl);
        client.SetMessageLanguage(request.language);
        client.SetUserEncryptId(request.userIdStr);
        client.SetLanguage(request.language);
        client.PIsBreak = cancel;
        result.code = client.DownloadFile(
            request.destPath, PreviewExtraText(request.hashPs, request.fileVer), request.fileKey);
        result.errorStr = client.GetLastError();
    }
    // A transfer stopped by the cancel flag still reports the server's status.
    const bool cancelled = cancel && cancel->load();
    result.ok = result.code == RC_CanDownload && !cancelled;
    if (!result.ok) {
        RemovePreviewCopy(request.destPath);
        return result;
    }
    // The transfer writes a new file in place of the reserved one: keep it the owner's alone.
    QFile::setPermissions(request.destPath, QFile::ReadOwner | QFile::WriteOwner);
    return result;
}

void RemovePreviewCopy(const QString& path) {
    if (path.isEmpty()) return;
    QFile::remove(path);
    // Without an extension the transfer writes to a ".tmp" name beside it.
    if (ExtractFileExtNoDot(path).isEmpty()) QFile::remove(path + u".tmp"_s);
    const QFileInfo info(path);
    const QString pattern =
        QRegularExpression::escape(info.fileName()) + u"(\\.tmp)?_\\d{6}_\\d{6}\\.bak"_s;
    const QRegularExpression backup(QRegularExpression::anchoredPattern(pattern));
    const QDir folder = info.dir();
    const QStringList names =
        folder.entryList({info.fileName() + u"*.bak"_s}, QDir::Files | QDir::Hidden);
    for (const QString& name : names)
        if (backup.match(name).hasMatch()) QFile::remove(folder.filePath(name));
}

QThreadPool& PreviewThreadPool() {
    // Owned by the application, which waits for the pool's work when it goes.
    static QPointer<QThreadPool> pool;
    if (!pool) {
        pool = new QThreadPool(QCoreApplication::instance());
        pool->setMaxThreadCount(8);
    }
    return *pool;
}

}  // namespace ov
