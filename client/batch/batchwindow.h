#pragma once
// The batch transfer window (TBatchFileDealMainFrm): owns the task file "btr.sys" and one
// worker per task that is not deleted or finished, shows the tasks in a tree of six lists and
// a grid with live progress, and offers start, pause, delete, restart and settings actions.
// New tasks and settings changes go through the task dialog.
//
// Workers report through queued signals, handled here on the user-interface thread. Shut-down
// (Shutdown, also run by the destructor) stops every worker, wakes it and aborts its socket,
// waits for each within a bound while events are still processed, then writes every task's
// state back and saves the task file; a thread still running after the bound is left to end
// on its own, never destroyed.

#include <QMutex>
#include <QPointer>
#include <QWidget>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "client/batch/batchpickers.h"
#include "client/batch/batchworker.h"
#include "client/batch/windowtexts.h"
#include "client/batch/workerinbox.h"
#include "core/types.h"

class QLabel;
class QLineEdit;
class QMenu;
class QProgressBar;
class QTabWidget;
class QTableWidget;
class QTextEdit;
class QTimer;
class QToolButton;
class QTreeWidget;
class QTreeWidgetItem;

namespace ov {

class TBatchTranConfig;

// What the window needs from outside; every member has a working default.
struct TBatchWindowServices {
    std::function<TWorkerServer()> Server;  // the settings' server and identity
    // The task dialog: the task edited, or nothing after cancel. isNew: a new task.
    std::function<std::optional<TBatchTransport>(const TBatchTransport&, bool isNew)>
        TaskDialog;
    // A message box with caption WLS_Hint (error: error icon, else information).
    std::function<void(const QString& text, bool error)> Message;
    TBatchPickers Pickers;  // handed to the default task dialog
    // The settings' choice of the source folder as a sub-folder of the target (clipboard tasks).
    std::function<bool()> IsIncludeRoot;
    int ShutdownBoundMs = 10000;
};

class TBatchFileDealMainFrm : public QWidget {
    Q_OBJECT
public:
    using TServices = TBatchWindowServices;

    explicit TBatchFileDealMainFrm(THS_Language language, TServices services = {},
                                   QWidget* parent = nullptr);
    ~TBatchFileDealMainFrm() override;

    // The main window's hooks.
    void ToFront();
    void AppendTask(const TBatchTransport& task);
    void AppendTask();  // from BatchTaskCmd
    void SetBatchTaskCmd(const QString& cmd) { m_batchTaskCmd = cmd; }
    int UnOverTaskNum() const;
    void UMRobotStartAll();
    // Ends the workers and saves the task file; events are processed meanwhile unless the
    // window is being destroyed (the destructor runs it without, when it has not run yet).
    void Shutdown(bool processEvents = true);

    // The window's reactions to its workers.
    void UMRobotError(int taskId);
    void UMRobotOver(int taskId);
    void UMRobotShowComplete(int taskId);
    void UMRobotProhibitsBulkDownload();

    // The actions (also reachable by tests).
    void SetTaskState(std::int32_t id, TTaskState state);
    void SelectNode(int nodeData);
    void SelectRow(int row);  // 1-based; 0 none
    void StartClick();
    void PauseClick();
    void DelClick();
    void RestartClick();
    void StartAllClick();
    void StopAllClick();
    void DelAllClick();
    void ResetTaskInfoClick();

    TBatchTranConfig& TaskFile() { return *m_config; }
    TCustomBathFileDeal* FindWorker(std::int32_t id) const;
    int WorkerCount() const;
    int GridRowCount() const;
    std::int32_t SelectedId() const;

private:
    void BuildLayout();
    QWidget* BuildToolBar();
    QWidget* BuildDetails();
    void BuildTree();
    void BuildGrid();
    void BuildMenu();
    void ApplyTexts();
    TCustomBathFileDeal* MakeWorker(const TBatchTransport& task);
    void ConnectWorker(TCustomBathFileDeal* worker);
    void RemoveWorker(TCustomBathFileDeal* worker);
    void ReapWorker(TCustomBathFileDeal* worker);
    void SaveTask(const TBatchTransport& task);
    void SaveFile();
    void FillGrid(int nodeData);
    void ClearDetails();
    void ShowDetails();
    void UpdateMenu();
    void RunTaskDialog(const TBatchTransport& task);
    bool NeedSelection(std::int32_t id);
    void Refuse(const QString& text);
    bool IsCurrent(TCustomBathFileDeal* worker) const;
    void OnStartDealFile(TCustomBathFileDeal* worker, const QString& path);
    void OnShowLogInfo(TCustomBathFileDeal* worker, const QString& line);
    void OnTcpWork(TCustomBathFileDeal* worker, qint64 done, qint64 size);
    void OnTaskPlan(TCustomBathFileDeal* worker, qint64 done, qint64 all);
    int CurrentNodeData() const;
    void RefreshRow(std::int32_t id);
    void DrainInbox();
    void Handle(const TWorkerReport& report);
    bool IsListed(const TCustomBathFileDeal* worker) const;

    friend class TBatchGridDelegate;

    const THS_Language m_language;
    const TBatchWindowTexts m_texts;
    TServices m_services;
    std::unique_ptr<TBatchTranConfig> m_config;
    mutable QMutex m_listLock;
    std::vector<std::unique_ptr<TCustomBathFileDeal>> m_workers;
    std::vector<std::unique_ptr<TCustomBathFileDeal>> m_ending;  // stopped, thread not yet over
    QPointer<TCustomBathFileDeal> m_current;
    int m_gridRow = 0;
    bool m_isAutoRun = false;
    bool m_shutDown = false;
    QString m_batchTaskCmd;
    TWorkerInbox m_inbox;
    QTimer* m_inboxTimer = nullptr;

    QToolButton *m_start = nullptr, *m_pause = nullptr, *m_del = nullptr, *m_startAll = nullptr,
                *m_stopAll = nullptr, *m_delAll = nullptr;
    QTreeWidget* m_tree = nullptr;
    QTableWidget* m_grid = nullptr;
    QTabWidget* m_pages = nullptr;
    QLabel *m_lbSt = nullptr, *m_lbSizeInfo2 = nullptr, *m_lbSizeInfo = nullptr,
           *m_lbNumInfo2 = nullptr, *m_lbNumInfo = nullptr, *m_lbLog = nullptr;
    QLineEdit* m_fileName = nullptr;
    QProgressBar *m_pbSize = nullptr, *m_pbCount = nullptr;
    QTextEdit *m_taskInfo = nullptr, *m_log = nullptr, *m_errorLog = nullptr;
    QMenu* m_menu = nullptr;
    QAction *m_pmStart = nullptr, *m_pmPause = nullptr, *m_pmReset = nullptr, *m_pmDel = nullptr,
            *m_pmRestart = nullptr;
};

}  // namespace ov
