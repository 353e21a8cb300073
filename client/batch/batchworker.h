#pragma once
// The worker of one batch task (TCustomBathFileDeal): a thread that builds the task's file
// index (from a local search or the server's list), transfers the files one by one with a
// blocking server client of its own, records each result in the index and, for a periodic
// task, waits for the next run.
//
// It reports through queued signals: fileFailed (a file failed; the worker then waits for
// StartEx, PauseEx or StopEx), passOver (a pass is over; the worker waits for StartEx to go on
// or StopEx to end), bulkDownloadProhibited, and the display signals startDealFile,
// showLogInfo, tcpWork (at most twice a second) and taskPlan.
//
// Control (any thread): StartEx runs or resumes it, PauseEx holds it between two chunks,
// StopEx cancels the transfer in hand (its socket waits end at once), wakes the thread and
// lets it end. The owner waits for the thread (wait()) before destroying it; the destructor
// stops and waits too, so a running thread is never destroyed.

#include <QMutex>
#include <QStringList>
#include <QThread>
#include <atomic>
#include <functional>
#include <memory>

#include "client/batch/autoevent.h"
#include "client/batch/workertexts.h"
#include "core/types.h"

namespace ov {

class TFileIndex;
class TRobotTcpClient;
class TSearchFiles;

// Where the worker connects and who it is, read from the settings by its creator.
struct TWorkerServer {
    QString Host;
    int Port = 0;
    bool SSL = false;
    QString UserId;  // the token
    QString UserName;
    THS_Language Language = HSL_NONE;
    QString ConfigPath;  // the settings folder ("rng.dat")
    QString IndexFolder;  // "" : the task file's index folder
    int ReadTimeoutMs = 30000;
};

// A copy whose texts share no data with the original (for handing over between threads).
QString DeepCopy(const QString& text);
TBatchTransport DeepCopy(const TBatchTransport& task);

// The server's settings as the worker's creator reads them.
TWorkerServer WorkerServerFromSettings();

class TCustomBathFileDeal : public QThread {
    Q_OBJECT
public:
    explicit TCustomBathFileDeal(const TWorkerServer& server, QObject* parent = nullptr);
    ~TCustomBathFileDeal() override;

    void StartEx();
    void PauseEx();
    void StopEx();
    bool SuspendedEx() const { return m_refCount.load() % 2 == 0; }
    bool IsStopping() const { return m_stop.load(); }

    // Prepares a pass (run by the thread; the task dialog runs it to build the index). False
    // when the task's index cannot be opened (another index of the task holds it).
    bool InitEx();
    void RemoveFiles(const QVector<std::int64_t>& keys);
    void AppendLog(const QString& line);
    void SaveLog();

    TBatchTransport TaskInfo() const;
    void SetTaskInfo(const TBatchTransport& task);
    std::int32_t TaskId() const;
    // The index of the current pass (none between passes); shared with the caller.
    std::shared_ptr<TFileIndex> FileIndex() const;

    bool IsLog = false;
    // The clock of the schedule and the log stamps (tests move it).
    std::function<TDateTime()> Clock;
    // Pause between schedule checks, in milliseconds.
    int ScheduleSleepMs = 200;

    int AllCount() const { return m_allCount.load(); }
    int FinishedCount() const { return m_finishedCount.load(); }
    qint64 FinishedSize() const { return m_finishedSize.load(); }
    double Rate() const { return m_rate.load(); }
    double Scale() const { return m_scale.load(); }
    int CrashErrorNum() const { return m_crashErrorNum.load(); }
    std::uint8_t LastST() const { return m_lastST.load(); }
    QString LogText() const;
    QString LastLogStr() const;
    QString ErrorLog() const;
    // Keys the server gave to the files uploaded since the last notice.
    QStringList ReturnKeys() const;

signals:
    void fileFailed(int taskId);
    void passOver(int taskId);
    void bulkDownloadProhibited();
    void startDealFile(const QString& path);
    void showLogInfo(const QString& line);
    void tcpWork(qint64 done, qint64 size);
    void taskPlan(qint64 done, qint64 all);
    // The thread body is over (raised on the worker's thread, as its last act).
    void ended(int taskId);

protected:
    void run() override;

private:
    friend struct TWorkerStep;
    bool RunOnce(bool handled);
    bool Step();
    void GuardedStep(bool& handled);
    void CleanUp();
    void WaitForEvent();
    void FailureWait(std::uint8_t code);
    void EndOfPass();
    void PrepareUpload();
    void PrepareDownload();
    void FetchUploadRules();
    void SendFolderList();
    void SendFileMessage();
    void FinishIndex(bool periodic);
    std::uint8_t UploadOne(TRobotTcpClient& client, TTidyFile& file);
    std::uint8_t DownloadOne(TRobotTcpClient& client, const TTidyFile& file);
    bool RenameDeletedFile(const QString& local, const TTidyFile& file);
    std::unique_ptr<TRobotTcpClient> MakeClient(int readTimeoutMs);
    void OnProgress(qint64 size, qint64 done);
    void OnTransferOver(qint64 done);
    void OnChunk();
    void AddError(const QString& line);
    void SetState(TTaskState state);
    QString Stamp() const;
    TDateTime NowTime() const;

    const TWorkerServer m_server;
    const TWorkerTexts m_texts;
    mutable QMutex m_lock;  // the task copy, the lists, the index pointer
    TBatchTransport m_task;
    QStringList m_log;
    QStringList m_errors;
    QStringList m_returnKeys;
    std::shared_ptr<TFileIndex> m_index;
    std::unique_ptr<TSearchFiles> m_search;
    TAutoEvent m_event;
    std::atomic<int> m_refCount{0};
    std::atomic<bool> m_stop{false};
    std::atomic<bool> m_isBreak{false};
    std::atomic<bool> m_init{false};
    std::atomic<bool> m_ended{false};  // the thread body is over (orders its writes for the owner)
    std::atomic<int> m_allCount{0};
    std::atomic<int> m_finishedCount{0};
    std::atomic<qint64> m_finishedSize{0};
    std::atomic<double> m_rate{0};
    std::atomic<double> m_scale{0};
    std::atomic<int> m_crashErrorNum{0};
    std::atomic<std::uint8_t> m_lastST{0};
    std::int64_t m_serverFileMaxSize = 0;
    TFileTypeArray m_serverFileTypes;
    std::int32_t m_uploadLimitB = 0;
    std::int32_t m_uploadLimitT = 0;
    std::atomic<double> m_lastStatDT{0};
    std::atomic<double> m_lastStatDT2{0};
    qint64 m_fileDone = 0;
};

}  // namespace ov
