// The batch worker's passes: preparing one (index, server rules, search or server list) and
// ending one (folder list, index reset or removal, log, notice).

#include "client/batch/batchpaths.h"
#include "client/batch/batchworker.h"
#include "client/batch/fileindex.h"
#include "client/batch/schedule.h"
#include "client/batch/searchfiles.h"
#include "core/datetime.h"
#include "core/fileoperator.h"
#include "core/paths.h"
#include "core/robottcpclient.h"
#include "core/split.h"
#include "core/tagtext.h"
#include "core/textfile.h"

#include <QDir>
#include <QFile>

using namespace Qt::StringLiterals;

namespace ov {

namespace {

const QString kProhibitsBulkDownload = u"System prohibits bulk download"_s;

// One line of the server's download list.
TTidyFile DownloadRecord(const QString& line) {
    TTidyFile file;
    file.PathHash = TextToInt64Def0(ReadTagValue(line, u"K"_s));
    file.FolderId = TextToIntDef0(ReadTagValue(line, u"Fd"_s));
    file.ModifyDT = TextToDateTimeDef(ReadTagValue(line, u"Dt"_s), 0);
    file.Size = TextToInt64Def0(ReadTagValue(line, u"Sz"_s));
    file.Path = ReadTagValue(line, u"P"_s).replace(u'/', u'\\');
    const QString deleted = ReadTagValue(line, u"D"_s);
    file.DeletedOfServer = deleted.compare(u"true"_s, Qt::CaseInsensitive) == 0 ||
                           (deleted.toInt() != 0);
    return file;
}

}  // namespace

std::unique_ptr<TRobotTcpClient> TCustomBathFileDeal::MakeClient(int readTimeoutMs) {
    auto client = std::make_unique<TRobotTcpClient>(m_server.SSL);
    client->SetHost(m_server.Host);
    client->SetPort(quint16(m_server.Port));
    client->SetUserEncryptId(m_server.UserId);
    client->SetLanguage(m_server.Language);
    client->SetReadTimeout(readTimeoutMs);
    client->PIsBreak = &m_isBreak;
    return client;
}

bool TCustomBathFileDeal::InitEx() {
    {
        QMutexLocker lock(&m_lock);
        m_errors.clear();
        m_task.RunStartTime = NowTime();
    }
    AppendLog(Stamp() + m_texts.TaskInit);
    const TBatchTransport task = TaskInfo();
    auto index = FileIndex();
    if (!index) {
        index = std::make_shared<TFileIndex>();
        index->TaskId = task.Id;
        index->MinFileSize = task.MinSize;
        index->MaxFileSize = task.MaxSize;
        index->MinDT = task.FileStartDate;
        index->MaxDT = task.FileEndDate;
        index->SetFileTypes(task.Types);
        index->OnSkipFile = [this](const QString& line) { AppendLog(Stamp() + line); };
        index->Init(m_server.IndexFolder);
        if (!index->Load()) {
            AppendLog(Stamp() + index->LastError());
            AddError(index->LastError());
            return false;
        }
        QMutexLocker lock(&m_lock);
        m_index = index;
    }
    if (task.TranStyle == TS_Upload && task.TaskCyc > 0.00001) {
        index->MinDT = task.RunEndTime - PeriodDays(task.TaskCyc);
        index->MaxDT = NowTime();
    }
    if (task.TranStyle == TS_Upload) PrepareUpload();
    else if (task.TranStyle == TS_Download) PrepareDownload();
    if (task.TranStyle != TS_Upload && task.TranStyle != TS_Download) {
        m_init = true;  // nothing to transfer: the pass ends at its first step
        return true;
    }
    index->RemoveInvalidKey();
    m_finishedSize = index->FinishedSize();
    m_isBreak = m_stop.load();
    m_allCount = index->GetAllCount(0);
    m_finishedCount = m_allCount.load() - index->GetUndealFileCount(0);
    m_init = true;
    AppendLog(m_texts.FinishedCount.arg(index->GetUndealFileCount(0)));
    AppendLog(Stamp() + m_texts.InitOver);
    return true;
}

void TCustomBathFileDeal::FetchUploadRules() {
    try {
        MakeClient(m_server.ReadTimeoutMs)->GetUploadLimit(m_uploadLimitB, m_uploadLimitT);
        if (m_uploadLimitT == 0) {
            const QString rng = ReadTextFile(m_server.ConfigPath + u"rng.dat"_s);
            m_uploadLimitB = TextToIntDef0(ReadTagValue(rng, u"UploadLimitB"_s));
            m_uploadLimitT = TextToIntDef0(ReadTagValue(rng, u"UploadLimitT"_s));
        }
    } catch (...) {
        m_uploadLimitB = m_uploadLimitT = 0;
    }
    try {
        auto client = MakeClient(m_server.ReadTimeoutMs);
        m_serverFileMaxSize = std::int64_t(client->GetMaxFileSize()) * 1024 * 1024;
        m_serverFileTypes = client->GetFileType();
        if (m_serverFileTypes.contains(42)) m_serverFileTypes.clear();
    } catch (...) {
    }
}

void TCustomBathFileDeal::PrepareUpload() {
    FetchUploadRules();
    const TBatchTransport task = TaskInfo();
    const auto index = FileIndex();
    if (task.FF == FF_File) {
        index->AppendFileInfoEx(SingleUploadSource(task.SourceFolderName));
        return;
    }
    if (!m_search) m_search = std::make_unique<TSearchFiles>();
    m_search->IsIncludeSubFolder = task.IsIncludeSubFolder;
    m_search->SetRoots({task.SourceFolderName});
    m_search->PIsBreak = &m_isBreak;
    m_search->OnSaveFiles = [index](const QStringList& paths) { index->AppendFileInfo(paths); };
    AppendLog(Stamp() + m_texts.StartSearch);
    m_search->Execute();
    AppendLog(m_texts.SearchNum.arg(m_search->AllFileNum()));
    AppendLog(Stamp() + m_texts.CompleteSearch);
}

void TCustomBathFileDeal::PrepareDownload() {
    const TBatchTransport task = TaskInfo();
    const auto index = FileIndex();
    if (task.FF == FF_File) {
        TTidyFile file;
        file.PathHash = task.SourceFolderId;
        file.Path = task.SourceFolderName;
        file.Size = -1;
        index->AppendFileInfoEx(file);
        return;
    }
    if (task.St != ST_Init && task.St != ST_Running && task.St != ST_Completed &&
        task.St != ST_Deleted)
        return;
    auto client = MakeClient(600000);
    AppendLog(m_texts.GetList);
    QString files, summary, folders, error;
    client->GetDownloadFiles(task, files, summary, folders, error);
    const QStringList lines = SplitByString(files, u"\r\n"_s);
    for (const QString& line : lines)
        if (!line.trimmed().isEmpty()) index->AppendFileInfoEx(DownloadRecord(line));
    for (const QString& folder : SplitByString(folders, u"\r\n"_s)) {
        const QString local = DownloadFolderTarget(task, QString(folder).replace(u'/', u'\\'));
        if (!folder.trimmed().isEmpty() && !local.isEmpty()) QDir().mkpath(local);
    }
    if (!error.isEmpty()) {
        AppendLog(error);
        AddError(error);
        if (error == kProhibitsBulkDownload) emit bulkDownloadProhibited();
    }
    AppendLog(m_texts.Total.arg(lines.size()));
}

void TCustomBathFileDeal::SendFolderList() {
    const TBatchTransport task = TaskInfo();
    if (task.TranStyle != TS_Upload || m_crashErrorNum.load() >= 3 || !task.IsIncludeSubFolder ||
        task.FF != FF_Folder || task.SourceFolderName.isEmpty())
        return;
    QStringList local;
    TFileOperator().SaveDirectoryToList(task.SourceFolderName, local);
    QString text;
    for (const QString& folder : local)
        text += UploadSubFolder(task.SourceFolderName, task.IncludeRootPath, folder) + u"\r\n"_s;
    MakeClient(16000)->SendFolderList(task.DestOwnerId, task.DestFolderId, text);
}

void TCustomBathFileDeal::FinishIndex(bool periodic) {
    const TBatchTransport task = TaskInfo();
    const auto index = FileIndex();
    if (periodic && task.TranStyle == TS_Upload) {
        if (index) index->StateResetOfUpload();
        return;
    }
    QStringList undone;
    if (index) {
        index->GetUndealFileInfo(undone);
        index->DeleteIndexFile();
    }
    for (const QString& path : undone)
        AddError(path);
    QMutexLocker lock(&m_lock);
    m_index.reset();
}

void TCustomBathFileDeal::SendFileMessage() {
    QStringList keys;
    {
        QMutexLocker lock(&m_lock);
        keys.swap(m_returnKeys);  // sent once: the next pass reports only its own files
    }
    if (!keys.isEmpty()) MakeClient(3000)->SendFileMsg(TaskInfo().DestOwnerId, QString());
}

void TCustomBathFileDeal::EndOfPass() {
    try {
        SendFolderList();
    } catch (const std::exception& e) {
        AppendLog(Stamp() + QString::fromUtf8(e.what()));
    }
    const qint64 total = m_finishedSize.load();
    emit tcpWork(total, total);
    emit taskPlan(m_allCount.load(), m_allCount.load());
    m_search.reset();
    const bool periodic = TaskInfo().TaskCyc > 0;
    SetState(periodic ? ST_Waiting : ST_Completed);
    FinishIndex(periodic);
    {
        QMutexLocker lock(&m_lock);
        m_task.RunEndTime = NowTime();
    }
    m_init = false;
    AppendLog(m_texts.TranComplete);
    const QString errors = ErrorLog();
    if (!errors.isEmpty()) {
        AppendLog(QString());
        AppendLog(u"//----------------------------"_s);
        AppendLog(m_texts.TranErr);
        for (const QString& line : errors.split(u"\r\n"_s))
            AppendLog(line);
    }
    try {
        SendFileMessage();
    } catch (const std::exception& e) {
        AppendLog(Stamp() + QString::fromUtf8(e.what()));
    }
    SaveLog();
    m_event.Reset();  // only the answer to this report ends the wait
    emit passOver(TaskId());
    WaitForEvent();
}

}  // namespace ov
