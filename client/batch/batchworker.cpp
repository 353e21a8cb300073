// The batch worker's thread: control, the thread body, its waits and its log.

#include "client/batch/batchworker.h"

#include "client/batch/fileindex.h"
#include "client/batch/schedule.h"
#include "client/batch/searchfiles.h"
#include "core/batchtranconfig.h"
#include "core/datetime.h"
#include "core/globalconfig.h"
#include "core/netstream.h"
#include "core/resultcode.h"
#include "core/textfile.h"

#include <QFile>

using namespace Qt::StringLiterals;

namespace ov {

namespace {

constexpr int kMaxLogLines = 20000;  // older lines are dropped from memory, not from the file

}  // namespace

QString DeepCopy(const QString& text) {
    return text.isNull() ? QString() : QString(text.constData(), text.size());
}

TBatchTransport DeepCopy(const TBatchTransport& task) {
    TBatchTransport copy = task;
    for (QString* s : {&copy.DestFolderName, &copy.SourceFolderName, &copy.FilePrtParams,
                       &copy.ExtInfo})
        *s = DeepCopy(*s);
    copy.Types = TFileTypeArray(task.Types.cbegin(), task.Types.cend());
    return copy;
}

TWorkerServer WorkerServerFromSettings() {
    const auto config = GlobalConfig();
    TWorkerServer s;
    s.Host = config->ServerHost();
    s.Port = config->ServerPort();
    s.SSL = config->IsSSL();
    s.UserId = config->EncryptUserID();
    s.UserName = config->UserName();
    s.Language = config->SysLanguage();
    s.ConfigPath = config->ConfigPath();
    return s;
}

TCustomBathFileDeal::TCustomBathFileDeal(const TWorkerServer& server, QObject* parent)
    : QThread(parent), m_server(server), m_texts(WorkerTexts(server.Language)) {
    Clock = [] { return Now(); };
}

TCustomBathFileDeal::~TCustomBathFileDeal() {
    StopEx();
    wait();
    // The end of QThread's wait is invisible to the thread sanitizer; this load orders what the
    // thread wrote before the members go.
    (void)m_ended.load(std::memory_order_acquire);
}

void TCustomBathFileDeal::StartEx() {
    m_lastStatDT = m_lastStatDT2 = NowTime();
    SetState(ST_Running);
    int count = m_refCount.load();
    while (count % 2 == 0 && !m_refCount.compare_exchange_weak(count, count + 1)) {
    }
    m_event.Set();
    if (!isRunning() && !isFinished() && !m_stop.load()) start();
}

void TCustomBathFileDeal::PauseEx() {
    SetState(ST_Paused);
    int count = m_refCount.load();
    while (count % 2 == 1 && !m_refCount.compare_exchange_weak(count, count - 1)) {
    }
    m_event.Set();
}

void TCustomBathFileDeal::StopEx() {
    m_isBreak = true;
    m_stop = true;
    m_event.Set();
}

void TCustomBathFileDeal::run() {
    SetThreadAbortFlag(&m_isBreak);
    bool handled = false;
    while (!m_stop.load()) {
        if (SuspendedEx()) {
            m_event.Wait(m_stop);
            continue;
        }
        GuardedStep(handled);
    }
    CleanUp();
    SetThreadAbortFlag(nullptr);
    emit ended(TaskId());
    m_ended.store(true, std::memory_order_release);
}

// An exception from a request must not end the thread: it counts as a failed attempt.
void TCustomBathFileDeal::GuardedStep(bool& handled) {
    try {
        handled = RunOnce(handled);
    } catch (const NetError& e) {
        // A request the server never answered counts as a connection failure.
        AppendLog(Stamp() + e.message());
        FailureWait(RC_TimeOut);
        handled = true;
    } catch (const std::exception& e) {
        AppendLog(Stamp() + QString::fromUtf8(e.what()));
        FailureWait(127);
        handled = true;
    } catch (...) {
        FailureWait(127);
        handled = true;
    }
}

bool TCustomBathFileDeal::RunOnce(bool handled) {
    const TScheduleAnswer answer = ScheduleNextStep(TaskInfo(), NowTime(), m_init.load());
    SetState(answer.State);
    if (!answer.Run) {
        m_event.WaitFor(m_stop, std::chrono::milliseconds(ScheduleSleepMs));
        return handled;
    }
    if (!m_init.load() && !InitEx()) {
        FailureWait(RC_OpenFileErr);  // the index cannot be opened: the window marks the task
        return false;
    }
    // A stopped pass may have been cut short (a search, a list): it must not look finished.
    return m_stop.load() ? false : Step();
}

void TCustomBathFileDeal::CleanUp() {
    m_isBreak = true;
    std::shared_ptr<TFileIndex> index;
    {
        QMutexLocker lock(&m_lock);
        index.swap(m_index);
    }
    m_search.reset();
    if (index && TaskInfo().St == ST_Completed) index->DeleteIndexFile();
}

void TCustomBathFileDeal::WaitForEvent() {
    m_event.Wait(m_stop);
}

void TCustomBathFileDeal::FailureWait(std::uint8_t code) {
    if (m_crashErrorNum.load() == 0) SaveLog();
    m_lastST = code;
    if (code == 2 || code == 101) ++m_crashErrorNum;
    m_event.Reset();  // only the answer to this report ends the wait
    emit fileFailed(TaskId());
    WaitForEvent();
}

void TCustomBathFileDeal::RemoveFiles(const QVector<std::int64_t>& keys) {
    if (const auto index = FileIndex()) index->RemoveFiles(keys);
}

void TCustomBathFileDeal::AppendLog(const QString& line) {
    emit showLogInfo(line);
    if (!IsLog) return;
    QMutexLocker lock(&m_lock);
    m_log.append(line);
    if (m_log.size() > kMaxLogLines) m_log.removeFirst();
}

void TCustomBathFileDeal::SaveLog() {
    const QString folder =
        m_server.IndexFolder.isEmpty() ? TBatchTranConfig::IndexFolder() : m_server.IndexFolder;
    QString text;
    {
        QMutexLocker lock(&m_lock);
        for (const QString& line : m_log)
            text += line + u"\r\n"_s;
    }
    const QString name = folder + QString::number(TaskId()) + u".log"_s;
    try {
        if (text.isEmpty()) QFile::remove(name);
        else SaveUnicodeText(name, text);
    } catch (const std::exception&) {
        // the log stays in memory; the window shows it from there
    }
}

// Texts never share their data between the worker and other threads: their shared counts
// are also changed inside Qt's own code, where the thread sanitizer cannot follow them.
TBatchTransport TCustomBathFileDeal::TaskInfo() const {
    QMutexLocker lock(&m_lock);
    return DeepCopy(m_task);
}

void TCustomBathFileDeal::SetTaskInfo(const TBatchTransport& task) {
    TBatchTransport copy = DeepCopy(task);
    QMutexLocker lock(&m_lock);
    m_task = std::move(copy);
}

std::int32_t TCustomBathFileDeal::TaskId() const {
    QMutexLocker lock(&m_lock);
    return m_task.Id;
}

void TCustomBathFileDeal::SetState(TTaskState state) {
    QMutexLocker lock(&m_lock);
    m_task.St = state;
}

std::shared_ptr<TFileIndex> TCustomBathFileDeal::FileIndex() const {
    QMutexLocker lock(&m_lock);
    return m_index;
}

QString TCustomBathFileDeal::LogText() const {
    QMutexLocker lock(&m_lock);
    return m_log.join(u"\r\n"_s);
}

QString TCustomBathFileDeal::LastLogStr() const {
    QMutexLocker lock(&m_lock);
    return m_log.isEmpty() ? QString() : DeepCopy(m_log.last());
}

QString TCustomBathFileDeal::ErrorLog() const {
    QMutexLocker lock(&m_lock);
    return m_errors.join(u"\r\n"_s);
}

QStringList TCustomBathFileDeal::ReturnKeys() const {
    QMutexLocker lock(&m_lock);
    return m_returnKeys;
}

void TCustomBathFileDeal::AddError(const QString& line) {
    QMutexLocker lock(&m_lock);
    m_errors.append(line);
}

TDateTime TCustomBathFileDeal::NowTime() const {
    return Clock();
}

QString TCustomBathFileDeal::Stamp() const {
    return DateTimeToText(NowTime());
}

}  // namespace ov
