// One step of the batch worker: the next file of the index, transferred with a client of its
// own, its result recorded; and the progress handlers of that client.

#include "client/batch/batchpaths.h"
#include "client/batch/batchworker.h"
#include "client/batch/fileindex.h"
#include "client/batch/resultrules.h"
#include "core/datetime.h"
#include "core/fileoperator.h"
#include "core/resultcode.h"
#include "core/robottcpclient.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

using namespace Qt::StringLiterals;

namespace ov {

namespace {

constexpr TDateTime kHalfSecond = 5.78703703703705e-6;
constexpr TDateTime kOneSecond = 1.15740740740741e-5;

QString CodeText(std::uint8_t code, THS_Language language) {
    QString text = QString::number(code);
    GetResultCodeText(code, language, text);
    return text;
}

}  // namespace

bool TCustomBathFileDeal::Step() {
    const auto index = FileIndex();
    TTidyFile file;
    if (!index || !index->GetTidyFile(0, file) || file.PathHash <= 0) {
        if (!m_stop.load()) EndOfPass();
        return false;
    }
    auto client = MakeClient(m_server.ReadTimeoutMs);
    client->OnTransmitState = [this](void*, qint64 all, qint64 done) { OnProgress(all, done); };
    client->OnTransmitOver = [this](void*, qint64, qint64 done) { OnTransferOver(done); };
    client->OnWorkEx = [this](void*) { OnChunk(); };
    m_fileDone = 0;
    AppendLog(Stamp() + m_texts.TranInfo.arg(file.Path).arg(
                            QString::number(file.Size / 1024 + 1) + u"K"_s));
    emit startDealFile(file.Path);
    const TTranStyle style = TaskInfo().TranStyle;
    std::uint8_t failed = RC_InvalidData;  // a task of no known direction
    if (style == TS_Upload) failed = UploadOne(*client, file);
    else if (style == TS_Download) failed = DownloadOne(*client, file);
    if (failed == 0 && !m_isBreak.load()) {
        index->UpdateState(file.PathHash, DL_Done);
        ++m_finishedCount;
        emit taskPlan(m_finishedCount.load(), m_allCount.load());
    } else if (failed != 0) {
        AppendLog(client->GetLastError());
    }
    client.reset();
    if (failed != 0 && !m_stop.load()) FailureWait(failed);
    return true;
}

// 0 when the file is done (transferred, or never to be tried again); else the failing code.
std::uint8_t TCustomBathFileDeal::UploadOne(TRobotTcpClient& client, TTidyFile& file) {
    const TBatchTransport task = TaskInfo();
    file.FilePrt = task.FilePrtParams;
    file.SC = task.SC;
    if (m_serverFileMaxSize > 0 && file.Size > m_serverFileMaxSize) {
        AppendLog(file.Path + m_texts.FileSizeErr + u"("_s +
                  QString::number(m_serverFileMaxSize / 1024 / 1024) + u" M)!"_s);
        return 0;
    }
    if (!m_serverFileTypes.isEmpty() && !m_serverFileTypes.contains(file.Kind)) {
        AppendLog(file.Path + m_texts.FileKindErr);
        return 0;
    }
    const TDateTime started = NowTime();
    std::int64_t newKey = 0;
    const QString sub =
        task.FF == FF_Folder
            ? UploadSubFolder(task.SourceFolderName, task.IncludeRootPath, file.Path)
            : QString();
    const auto index = FileIndex();
    if (index) index->MarkBegun(file.PathHash);
    const std::uint8_t code =
        client.UploadFile(task.DestOwnerId, sub, task.DestFolderId, file, newKey);
    // A refusal of a file that an earlier life of the task began to send and never heard of
    // again: that upload reached the server, and the file is not sent twice.
    if (code == RC_ErrorText && index && index->BegunInEarlierLife(file.PathHash)) {
        AppendLog(file.Path + u"  "_s + client.GetLastError() + u" (sent before the restart)"_s);
        return 0;
    }
    const TResultRule rule =
        ClassifyUpload(code, NowTime() - started, QFileInfo::exists(file.Path));
    if (rule.Error == TErrorText::CodeText) AddError(CodeText(rule.Code, m_server.Language));
    if (rule.Error == TErrorText::PathAndCodeText) {
        AppendLog(CodeText(rule.Code, m_server.Language));
        AddError(file.Path + u"  "_s + CodeText(rule.Code, m_server.Language));
    }
    if (rule.Outcome == TFileOutcome::Failed) {
        if (rule.Error == TErrorText::PathAndLastError)
            AddError(file.Path + u"  "_s + client.GetLastError());
        return rule.Code;
    }
    if (rule.Outcome == TFileOutcome::DoneWithError) {
        AppendLog(client.GetLastError());
        AddError(file.Path + u"  "_s + client.GetLastError());
    }
    if (!task.ExtInfo.isEmpty()) client.UpdateFileExtInfo(task.ExtInfo, newKey);
    QMutexLocker lock(&m_lock);
    m_returnKeys.append(QString::number(newKey));
    return 0;
}

std::uint8_t TCustomBathFileDeal::DownloadOne(TRobotTcpClient& client, const TTidyFile& file) {
    const TBatchTransport task = TaskInfo();
    const QString local = DownloadTarget(task, file.Path);
    if (local.isEmpty()) {
        AddError(file.Path + u"  "_s + u"The server's path names no file below the target folder"_s);
        return 0;
    }
    if (file.DeletedOfServer && RenameDeletedFile(local, file)) return 0;
    QDir().mkpath(QFileInfo(local).absolutePath());
    const std::uint8_t code =
        task.KeepClientNewFile
            ? client.DownloadFile2(local, file.PathHash)
            : client.DownloadFile(local, u"[IsReplace]True[/IsReplace]"_s, file.PathHash);
    const TResultRule rule = ClassifyDownload(code, QFileInfo::exists(local));
    if (rule.Error == TErrorText::CodeText) AddError(CodeText(rule.Code, m_server.Language));
    if (rule.Outcome == TFileOutcome::Failed) {
        if (rule.Error == TErrorText::PathAndLastError)
            AddError(file.Path + u"  "_s + client.GetLastError());
        return rule.Code;
    }
    if (rule.Outcome == TFileOutcome::DoneWithError) {
        AppendLog(client.GetLastError());
        AddError(file.Path + u"  "_s + client.GetLastError());
    }
    return 0;
}

// A file the server deleted is renamed locally ("name.ext_kx0.ext") unless it changed here.
bool TCustomBathFileDeal::RenameDeletedFile(const QString& local, const TTidyFile& file) {
    const TDateTime localTime = TFileOperator().GetFileModifyTime(local);
    if (!(localTime - file.ModifyDT < kOneSecond)) return false;
    const QFileInfo info(local);
    const QString suffix = info.suffix().isEmpty() ? QString() : u"."_s + info.suffix();
    const QString renamed = local + u"_kx0"_s + suffix;
    if (QFileInfo::exists(local)) {
        QFile::remove(renamed);
        QFile::rename(local, renamed);
    }
    AppendLog(u"This file has been deleted of server"_s);
    return true;
}

void TCustomBathFileDeal::OnProgress(qint64 size, qint64 done) {
    if (m_stop.load()) return;
    const TDateTime now = NowTime();
    if (now - m_lastStatDT.load() < kHalfSecond) return;
    emit tcpWork(done, size);
    const double t = double(done + m_finishedSize.load());
    const double seconds = std::max(1e-3, (now - m_lastStatDT2.load()) * 86400.0);
    m_rate = t / 1024 / seconds;
    const auto index = FileIndex();
    m_scale = t / double((index ? index->TotalFileSize() : 0) + 1) + 0.001;
    m_lastStatDT = now;
}

void TCustomBathFileDeal::OnTransferOver(qint64 done) {
    if (m_stop.load()) return;
    m_finishedSize += done;
    const double seconds = std::max(1e-3, (NowTime() - m_lastStatDT2.load()) * 86400.0);
    m_rate = double(m_finishedSize.load()) / 1024 / seconds;
    const auto index = FileIndex();
    m_scale = double(m_finishedSize.load()) / double((index ? index->TotalFileSize() : 0) + 1);
}

// Between two chunks: a paused worker holds the transfer here until it is resumed or stopped.
void TCustomBathFileDeal::OnChunk() {
    while (SuspendedEx() && !m_stop.load())
        WaitForEvent();
}

}  // namespace ov
