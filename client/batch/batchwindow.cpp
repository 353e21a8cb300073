// The batch window: its workers, the main window's hooks, the workers' reports and shut-down.

#include "client/batch/batchwindow.h"

#include "client/batch/resultrules.h"
#include "client/batch/taskaddfrm.h"
#include "client/batch/windowrules.h"
#include "core/batchtranconfig.h"
#include "core/globalconfig.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QMessageBox>
#include <QTableWidget>
#include <QTextEdit>
#include <QTimer>

using namespace Qt::StringLiterals;

namespace ov {

namespace {

TBatchFileDealMainFrm::TServices WithDefaults(TBatchFileDealMainFrm::TServices s, QWidget* self,
                                              THS_Language language, const QString& hint) {
    if (!s.Server) s.Server = [] { return WorkerServerFromSettings(); };
    if (!s.IsIncludeRoot) s.IsIncludeRoot = [] { return GlobalConfig()->IsIncludeRoot(); };
    if (!s.Message)
        s.Message = [self, hint](const QString& text, bool error) {
            QMessageBox box(error ? QMessageBox::Critical : QMessageBox::Information, hint, text,
                            QMessageBox::Ok, self);
            box.exec();
        };
    if (!s.TaskDialog)
        s.TaskDialog = [self, language, pickers = s.Pickers](const TBatchTransport& task, bool)
            -> std::optional<TBatchTransport> {
            TTaskAddFrm dialog(language, pickers, self);
            dialog.SetTaskInfo(task);
            dialog.exec();
            if (!dialog.IsCompleted()) return std::nullopt;
            return dialog.NewTaskInfo();
        };
    return s;
}

}  // namespace

TBatchFileDealMainFrm::TBatchFileDealMainFrm(THS_Language language, TServices services,
                                             QWidget* parent)
    : QWidget(parent),
      m_language(language),
      m_texts(BatchWindowTexts(language)),
      m_config(std::make_unique<TBatchTranConfig>()) {
    m_services = WithDefaults(std::move(services), this, language, m_texts.Hint);
    setObjectName(u"BatchFileDealMainFrm"_s);
    BuildLayout();
    ApplyTexts();
    m_inboxTimer = new QTimer(this);
    connect(m_inboxTimer, &QTimer::timeout, this, [this] { DrainInbox(); });
    m_inboxTimer->start(40);
}

TBatchFileDealMainFrm::~TBatchFileDealMainFrm() {
    Shutdown(false);
}

void TBatchFileDealMainFrm::ToFront() {
    if (parentWidget()) setGeometry(parentWidget()->rect());
    show();
    raise();
}

TCustomBathFileDeal* TBatchFileDealMainFrm::FindWorker(std::int32_t id) const {
    QMutexLocker lock(&m_listLock);
    for (const auto& w : m_workers)
        if (w->TaskId() == id) return w.get();
    return nullptr;
}

int TBatchFileDealMainFrm::WorkerCount() const {
    QMutexLocker lock(&m_listLock);
    return int(m_workers.size());
}

int TBatchFileDealMainFrm::UnOverTaskNum() const {
    QMutexLocker lock(&m_listLock);
    int n = 0;
    for (const auto& w : m_workers) {
        const TTaskState st = w->TaskInfo().St;
        n += st == ST_Init || st == ST_Running || st == ST_Waiting;
    }
    return n;
}

TCustomBathFileDeal* TBatchFileDealMainFrm::MakeWorker(const TBatchTransport& task) {
    if (m_shutDown || !NeedsWorker(task)) return nullptr;
    auto worker = std::make_unique<TCustomBathFileDeal>(m_services.Server());
    TCustomBathFileDeal* w = worker.get();
    w->IsLog = true;
    w->SetTaskInfo(task);
    ConnectWorker(w);
    {
        QMutexLocker lock(&m_listLock);
        m_workers.push_back(std::move(worker));
    }
    if (StartsAtOnce(task)) w->StartEx();
    return w;
}

// Every report goes through the inbox, taken on this window's thread.
void TBatchFileDealMainFrm::ConnectWorker(TCustomBathFileDeal* worker) {
    using W = TCustomBathFileDeal;
    using R = TWorkerReport;
    TWorkerInbox* in = &m_inbox;
    const auto push = [in, worker](R::Kind kind, int id, QString text = {}, qint64 a = 0,
                                   qint64 b = 0) {
        in->Push({kind, worker, id, DeepCopy(text), a, b});
    };
    const auto direct = Qt::DirectConnection;
    connect(worker, &W::fileFailed, worker, [push](int id) { push(R::Failed, id); }, direct);
    connect(worker, &W::passOver, worker, [push](int id) { push(R::PassOver, id); }, direct);
    connect(worker, &W::bulkDownloadProhibited, worker, [push] { push(R::Prohibited, 0); }, direct);
    connect(worker, &W::startDealFile, worker,
            [push](const QString& path) { push(R::StartFile, 0, path); }, direct);
    connect(worker, &W::showLogInfo, worker,
            [push](const QString& line) { push(R::Log, 0, line); }, direct);
    connect(worker, &W::tcpWork, worker,
            [push](qint64 done, qint64 size) { push(R::Work, 0, {}, done, size); }, direct);
    connect(worker, &W::taskPlan, worker,
            [push](qint64 done, qint64 all) { push(R::Plan, 0, {}, done, all); }, direct);
    connect(worker, &W::ended, worker, [push](int id) { push(R::Ended, id); }, direct);
}

bool TBatchFileDealMainFrm::IsListed(const TCustomBathFileDeal* worker) const {
    QMutexLocker lock(&m_listLock);
    for (const auto* list : {&m_workers, &m_ending})
        for (const auto& w : *list)
            if (w.get() == worker) return true;
    return false;
}

void TBatchFileDealMainFrm::DrainInbox() {
    for (const TWorkerReport& r : m_inbox.Take())
        if (IsListed(r.worker)) Handle(r);
}

void TBatchFileDealMainFrm::Handle(const TWorkerReport& r) {
    switch (r.kind) {
        case TWorkerReport::Failed: return UMRobotError(r.taskId);
        case TWorkerReport::PassOver: return UMRobotOver(r.taskId);
        case TWorkerReport::Prohibited: return UMRobotProhibitsBulkDownload();
        case TWorkerReport::StartFile: return OnStartDealFile(r.worker, r.text);
        case TWorkerReport::Log: return OnShowLogInfo(r.worker, r.text);
        case TWorkerReport::Work: return OnTcpWork(r.worker, r.a, r.b);
        case TWorkerReport::Plan: return OnTaskPlan(r.worker, r.a, r.b);
        case TWorkerReport::Ended: return ReapWorker(r.worker);
    }
}

// A stopped worker leaves the list at once and is freed once its thread has ended.
void TBatchFileDealMainFrm::RemoveWorker(TCustomBathFileDeal* worker) {
    if (!worker) return;
    worker->StopEx();
    QMutexLocker lock(&m_listLock);
    for (auto it = m_workers.begin(); it != m_workers.end(); ++it)
        if (it->get() == worker) {
            m_ending.push_back(std::move(*it));
            m_workers.erase(it);
            break;
        }
    if (!worker->isRunning()) {
        lock.unlock();
        ReapWorker(worker);
    }
}

void TBatchFileDealMainFrm::ReapWorker(TCustomBathFileDeal* worker) {
    if (!worker || m_shutDown) return;  // shut-down frees them itself
    std::unique_ptr<TCustomBathFileDeal> done;
    {
        QMutexLocker lock(&m_listLock);
        for (auto it = m_ending.begin(); it != m_ending.end(); ++it)
            if (it->get() == worker && !worker->isRunning()) {
                done = std::move(*it);
                m_ending.erase(it);
                break;
            }
    }
    if (done) done->wait();  // already over; the object goes with `done`
}

void TBatchFileDealMainFrm::SaveTask(const TBatchTransport& task) {
    m_config->SetTask(task);
    SaveFile();
}

void TBatchFileDealMainFrm::SaveFile() {
    try {
        m_config->Save();
    } catch (const std::exception& e) {
        qWarning("The batch task file cannot be saved: %s", e.what());
    }
}

void TBatchFileDealMainFrm::UMRobotStartAll() {
    if (!m_isAutoRun) {
        m_isAutoRun = true;
        const TBatchTransportArray tasks = m_config->GetAllTask();
        m_config->Optimize(tasks);
        for (const TBatchTransport& task : tasks)
            MakeWorker(task);
    }
    SelectNode(1);
    SelectRow(1);
}

void TBatchFileDealMainFrm::UMRobotOver(int taskId) {
    TCustomBathFileDeal* w = FindWorker(taskId);
    if (!w) return;
    m_errorLog->setPlainText(w->ErrorLog());
    TBatchTransport task = w->TaskInfo();
    if (task.TaskCyc > 0) {
        task.St = ST_Running;
        SaveTask(task);
        w->StartEx();
    } else {
        task.St = ST_Completed;
        w->SetTaskInfo(task);
        SaveTask(task);
        RemoveWorker(w);
    }
    RefreshRow(taskId);
}

void TBatchFileDealMainFrm::UMRobotError(int taskId) {
    TCustomBathFileDeal* w = FindWorker(taskId);
    if (!w) return;
    if (IsAutoRetryCode(w->LastST()) && w->CrashErrorNum() < 3) {
        w->AppendLog(m_texts.ReConn);
        w->StartEx();
        return;
    }
    w->PauseEx();
    TBatchTransport task = w->TaskInfo();
    task.St = ST_Error;
    w->SetTaskInfo(task);
    SaveTask(task);
    RefreshRow(taskId);
    if (IsCurrent(w)) ShowDetails();
}

void TBatchFileDealMainFrm::UMRobotShowComplete(int taskId) {
    TCustomBathFileDeal* w = FindWorker(taskId);
    if (w && !(w->TaskInfo().TaskCyc > 0)) m_services.Message(m_texts.TranComplete, false);
}

void TBatchFileDealMainFrm::UMRobotProhibitsBulkDownload() {
    m_services.Message(m_texts.ProhibitsBulkDownload, true);
}

void TBatchFileDealMainFrm::AppendTask(const TBatchTransport& task) {
    RunTaskDialog(task);
}

void TBatchFileDealMainFrm::AppendTask() {
    const TClipboardTask c = TaskFromCommand(m_batchTaskCmd, m_services.IsIncludeRoot());
    if (c.Refusal == 1) return m_services.Message(m_texts.ErrData, true);
    if (c.Refusal == 2) return m_services.Message(m_texts.SelectFolder, true);
    RunTaskDialog(c.Task);
}

void TBatchFileDealMainFrm::RunTaskDialog(const TBatchTransport& task) {
    const auto result = m_services.TaskDialog(task, true);
    if (!result || result->Id == -1 || result->Id <= 0) return;
    SaveTask(*result);
    m_current = MakeWorker(*result);
    SelectNode(result->TranStyle == TS_Download ? 4 : 1);
    for (int row = 1; row <= GridRowCount(); ++row)
        if (m_grid->item(row - 1, 0)->text().toInt() == result->Id) SelectRow(row);
    m_pages->setCurrentIndex(0);
}

// Stops every worker, waits for each within the bound while events go on, then writes every
// task's state back and saves the task file.
void TBatchFileDealMainFrm::Shutdown(bool processEvents) {
    if (m_shutDown) return;
    m_shutDown = true;
    std::vector<TCustomBathFileDeal*> all;
    {
        QMutexLocker lock(&m_listLock);
        for (auto& w : m_workers)
            all.push_back(w.get());
        for (auto& w : m_ending)
            all.push_back(w.get());
    }
    for (TCustomBathFileDeal* w : all)
        w->StopEx();
    QElapsedTimer timer;
    timer.start();
    for (TCustomBathFileDeal* w : all)
        while (!w->wait(20) && timer.elapsed() < m_services.ShutdownBoundMs) {
            DrainInbox();
            if (processEvents) QCoreApplication::processEvents();
        }
    m_inboxTimer->stop();
    QMutexLocker lock(&m_listLock);
    for (auto& w : m_workers)
        m_config->SetTask(w->TaskInfo());
    SaveFile();
    for (auto* list : {&m_workers, &m_ending})
        for (auto& w : *list)
            if (w->isRunning()) {
                qWarning("A batch worker did not end in time; it is left to end on its own.");
                disconnect(w.get(), nullptr, this, nullptr);
                (void)w.release();
            }
    m_workers.clear();
    m_ending.clear();
}

}  // namespace ov
