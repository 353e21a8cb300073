// The monitor's EditFile: name and path from the server, the download under the work root with
// its check-out record, and opening the copy in the desktop's application.

#include "client/editmonitor/monitorserver.h"
#include "client/editmonitor/showeditinfofrm.h"
#include "core/tagtext.h"
#include "documents/editing/editworker.h"
#include "platform/fileinuse.h"

#include <QFileInfo>
#include <QLabel>
#include <QPlainTextEdit>
#include <QTimer>

#include <memory>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace ov {

namespace {

std::int64_t int64Or(const QString& text, std::int64_t fallback) {
    bool ok = false;
    const std::int64_t value = text.toLongLong(&ok);
    return ok ? value : fallback;
}

}  // namespace

void TShowEditInfoFrm::EditFile(const QString& cmd) {
    ReadServer();
    TEditedFileInfo info;
    info.FileKey = int64Or(ReadTagValue(cmd, u"Key"_s), 0);
    info.FileName = ReadTagValue(cmd, u"FileName"_s);
    const int version = int(int64Or(ReadTagValue(cmd, u"VersionId"_s), -1));
    FTimer1->stop();
    const EditServer server = Server();
    const std::int64_t key = info.FileKey;
    const MonitorFileInfo found =
        RunEditWork<MonitorFileInfo>([server, key] { return FetchMonitorFileInfo(server, key); });
    if (!found.ok) {
        // The server's reason is shown, not dropped.
        AddMonitorLog(info.FileName, found.error);
        FLbFileName->setText(WLS_CurrentFile);
        return FinishEditFile(QString());
    }
    info.FileName = found.name;
    FLbFileName->setText(WLS_CurrentFile + info.FileName);
    info.PathAndFile = MonitorLocalPath(FWorkRoot, found.pathStr, info.FileName);
    if (info.PathAndFile.isEmpty()) {
        AddMonitorLog(info.FileName, WLS_BadName);
        return FinishEditFile(QString());
    }
    if (DownloadAndOpen(info, version)) FFileList.append(info);
    FinishEditFile(info.PathAndFile);
}

bool TShowEditInfoFrm::DownloadAndOpen(TEditedFileInfo& info, int version) {
    const EditServer server = Server();
    const std::int64_t key = info.FileKey;
    const QString path = info.PathAndFile;
    const EditDownload result = RunEditWork<EditDownload>(
        [server, key, path, version] { return DownloadForEdit(server, key, path, version); });
    if (!result.ok()) {
        FMemo1->appendPlainText(result.error);
        return false;
    }
    info.LastModifyTime = QFileInfo(path).lastModified();
    AddMonitorLog(info.FileName, WLS_DownloadOK);
    if (!OpenDocument || !OpenDocument(path)) {
        AddMonitorLog(info.FileName, WLS_OpenFailed);
        return false;
    }
    AddMonitorLog(info.FileName, WLS_OpenOK);
    return true;
}

// After a pause, up to 6 seconds for a window that shows the file; then the watch starts.
void TShowEditInfoFrm::FinishEditFile(const QString& path) {
    const QString name = QFileInfo(path).fileName();
    auto tries = std::make_shared<int>(path.isEmpty() || !WatchWindowTitles ? 60 : 0);
    auto* wait = new QTimer(this);
    connect(wait, &QTimer::timeout, this, [this, wait, tries, name] {
        wait->setInterval(100);
        bool shown = false;
        if (*tries < 60)
            for (const QString& title : platform::x11WindowTitles(getpid()))
                shown = shown || platform::titleNamesFile(title, name);
        if (!shown && ++*tries < 60) return;
        wait->deleteLater();
        FLastTm = QDateTime::currentDateTime();
        FTimer1->start();
        emit editFileFinished();
    });
    wait->start(OpenWaitMs);
}

}  // namespace ov
