// The batch window's actions: new states, the tool bar and menu, the tree and grid, and the
// details of the selected task.

#include "client/batch/batchwindow.h"

#include "client/batch/windowrules.h"
#include "core/batchtranconfig.h"
#include "core/batchtransport.h"
#include "core/textfile.h"

#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QProgressBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QTextEdit>
#include <QTreeWidget>

using namespace Qt::StringLiterals;

namespace ov {

namespace {

const QString kErrorMark = u"//----------------------------"_s;

}  // namespace

void TBatchFileDealMainFrm::SetTaskState(std::int32_t id, TTaskState state) {
    TBatchTransport task = m_config->GetTask(id);
    if (task.Id == 0) return;
    task.St = state;
    if (state == ST_Unknown) {
        m_config->DelTask(id);
        SaveFile();
    } else {
        SaveTask(task);
    }
    TCustomBathFileDeal* w = FindWorker(id);
    if (!w) {
        if (ActionForState(state) == TWorkerAction::Start || ActionForState(state) == TWorkerAction::Pause)
            MakeWorker(task);
        return;
    }
    switch (ActionForState(state)) {
        case TWorkerAction::Remove: RemoveWorker(w); break;
        case TWorkerAction::Start: w->StartEx(); break;
        case TWorkerAction::Pause: w->PauseEx(); break;
        case TWorkerAction::None: break;
    }
    if (ActionForState(state) != TWorkerAction::Remove) {
        TBatchTransport copy = w->TaskInfo();
        copy.St = state;
        w->SetTaskInfo(copy);
    }
}

std::int32_t TBatchFileDealMainFrm::SelectedId() const {
    if (m_gridRow < 1 || m_gridRow > m_grid->rowCount()) return 0;
    return m_grid->item(m_gridRow - 1, 0)->text().toInt();
}

int TBatchFileDealMainFrm::GridRowCount() const {
    return m_grid->rowCount();
}

int TBatchFileDealMainFrm::CurrentNodeData() const {
    const QTreeWidgetItem* item = m_tree->currentItem();
    return item ? item->data(0, Qt::UserRole).toInt() : -1;
}

bool TBatchFileDealMainFrm::NeedSelection(std::int32_t id) {
    if (id != 0) return true;
    Refuse(m_texts.SelTask);
    return false;
}

void TBatchFileDealMainFrm::Refuse(const QString& text) {
    m_services.Message(text, true);
}

void TBatchFileDealMainFrm::StartClick() {
    const std::int32_t id = SelectedId();
    if (!NeedSelection(id)) return;
    SetTaskState(id, ST_Running);
    SelectRow(m_gridRow);
}

void TBatchFileDealMainFrm::PauseClick() {
    const std::int32_t id = SelectedId();
    if (!NeedSelection(id)) return;
    SetTaskState(id, ST_Paused);
    SelectRow(m_gridRow);
}

void TBatchFileDealMainFrm::DelClick() {
    const std::int32_t id = SelectedId();
    if (!NeedSelection(id)) return;
    const bool inDustbin = m_config->GetTask(id).St == ST_Deleted;
    SetTaskState(id, inDustbin ? ST_Unknown : ST_Deleted);
    m_grid->removeRow(m_gridRow - 1);
    m_gridRow = 0;
    m_current = nullptr;
    ClearDetails();
}

void TBatchFileDealMainFrm::RestartClick() {
    if (!m_tree->currentItem()) return;
    const std::int32_t id = SelectedId();
    if (!NeedSelection(id)) return;
    if (FindWorker(id)) return;  // a task with a worker holds its index: pause or delete it first
    const QString base = TBatchTranConfig::IndexFolder() + QString::number(id);
    for (const char16_t* ext : {u".log", u".ivd", u".fln", u".std"})
        QFile::remove(base + QString::fromUtf16(ext));
    SetTaskState(id, ST_Init);
    SelectRow(m_gridRow);
}

void TBatchFileDealMainFrm::StartAllClick() {
    const int node = CurrentNodeData();
    if (node != 1 && node != 4) return;
    for (int row = 0; row < m_grid->rowCount(); ++row)
        SetTaskState(m_grid->item(row, 0)->text().toInt(), ST_Running);
    m_grid->viewport()->update();
}

void TBatchFileDealMainFrm::StopAllClick() {
    for (int row = 0; row < m_grid->rowCount(); ++row)
        SetTaskState(m_grid->item(row, 0)->text().toInt(), ST_Paused);
    m_grid->viewport()->update();
}

void TBatchFileDealMainFrm::DelAllClick() {
    const int node = CurrentNodeData();
    if (node < 1 || node > 6) return;
    const bool dustbin = node == 3 || node == 6;
    for (int row = 0; row < m_grid->rowCount(); ++row)
        SetTaskState(m_grid->item(row, 0)->text().toInt(), dustbin ? ST_Unknown : ST_Deleted);
    m_grid->setRowCount(0);
    m_gridRow = 0;
    m_current = nullptr;
    ClearDetails();
}

void TBatchFileDealMainFrm::ResetTaskInfoClick() {
    const std::int32_t id = SelectedId();
    if (!NeedSelection(id)) return;
    const auto result = m_services.TaskDialog(m_config->GetTask(id), false);
    if (!result) return;
    SaveTask(*result);
    // The worker takes the new settings between two steps; its own state and times stay.
    if (TCustomBathFileDeal* w = FindWorker(id)) {
        TBatchTransport merged = *result;
        const TBatchTransport running = w->TaskInfo();
        merged.St = running.St;
        merged.RunStartTime = running.RunStartTime;
        merged.RunEndTime = running.RunEndTime;
        w->SetTaskInfo(merged);
    }
    ShowDetails();
}

void TBatchFileDealMainFrm::SelectNode(int nodeData) {
    for (int r = 0; r < m_tree->topLevelItemCount(); ++r) {
        QTreeWidgetItem* top = m_tree->topLevelItem(r);
        if (top->data(0, Qt::UserRole).toInt() == nodeData && nodeData != 0) m_tree->setCurrentItem(top);
        for (int c = 0; c < top->childCount(); ++c)
            if (top->child(c)->data(0, Qt::UserRole).toInt() == nodeData)
                m_tree->setCurrentItem(top->child(c));
    }
    FillGrid(nodeData);
}

void TBatchFileDealMainFrm::FillGrid(int nodeData) {
    m_gridRow = 0;
    m_current = nullptr;
    m_grid->setRowCount(0);
    for (const TBatchTransport& task : m_config->GetAllTask()) {
        if (!TaskInList(task, nodeData)) continue;
        const int row = m_grid->rowCount();
        m_grid->insertRow(row);
        m_grid->setItem(row, 0, new QTableWidgetItem(QString::number(task.Id)));
        m_grid->setItem(row, 1, new QTableWidgetItem(task.SourceFolderName));
        m_grid->setItem(row, 2, new QTableWidgetItem(task.DestFolderName));
        for (int c = 3; c < 8; ++c)
            m_grid->setItem(row, c, new QTableWidgetItem());
    }
    ClearDetails();
}

void TBatchFileDealMainFrm::SelectRow(int row) {
    if (row < 1 || row > m_grid->rowCount()) return;
    m_gridRow = row;
    m_grid->selectRow(row - 1);
    m_current = FindWorker(SelectedId());
    UpdateMenu();
    ShowDetails();
}

void TBatchFileDealMainFrm::UpdateMenu() {
    const bool worker = !m_current.isNull();
    m_pmStart->setEnabled(worker && m_current->SuspendedEx());
    m_pmPause->setEnabled(worker && !m_current->SuspendedEx());
    m_pmDel->setEnabled(true);
    m_pmRestart->setEnabled(!worker);
    m_pmReset->setEnabled(true);
}

void TBatchFileDealMainFrm::ClearDetails() {
    m_lbSt->clear();
    m_fileName->clear();
    m_lbSizeInfo->clear();
    m_lbNumInfo->clear();
    m_lbLog->clear();
    m_pbSize->setValue(0);
    m_pbCount->setValue(0);
    m_taskInfo->clear();
    m_log->clear();
    m_errorLog->clear();
}

void TBatchFileDealMainFrm::ShowDetails() {
    const std::int32_t id = SelectedId();
    if (id == 0) return;
    const TBatchTransport task = m_current ? m_current->TaskInfo() : m_config->GetTask(id);
    switch (m_pages->currentIndex()) {
        case 0: {
            ClearDetails();
            QString text;
            GetTaskStateText(task.St, m_language, text);
            m_lbSt->setText(text);
            const bool error = task.St == ST_Error;
            if (error && m_current) m_lbLog->setText(m_current->LastLogStr() + m_texts.ViewLog);
            const QString color = error ? u"color: rgb(250,100,0);"_s : QString();
            m_lbSt->setStyleSheet(color);
            m_lbLog->setStyleSheet(color);
            break;
        }
        case 1: {
            QString text;
            GetTaskDescription(task, m_language, text);
            m_taskInfo->setPlainText(text);
            break;
        }
        default: {
            const QString log = m_current ? m_current->LogText() : QString();
            if (!log.isEmpty()) {
                m_log->setPlainText(log);
                m_errorLog->setPlainText(m_current->ErrorLog());
                break;
            }
            QString saved;
            try {
                saved = ReadTextFile(TBatchTranConfig::IndexFolder() + QString::number(id) + u".log"_s);
            } catch (const std::exception&) {
            }
            m_log->setPlainText(saved);
            if (const qsizetype at = saved.indexOf(kErrorMark); at >= 0)
                m_errorLog->setPlainText(saved.mid(at));
        }
    }
}

bool TBatchFileDealMainFrm::IsCurrent(TCustomBathFileDeal* worker) const {
    return worker && m_current.data() == worker;
}

void TBatchFileDealMainFrm::RefreshRow(std::int32_t id) {
    for (int row = 0; row < m_grid->rowCount(); ++row)
        if (m_grid->item(row, 0)->text().toInt() == id)
            for (int c = 0; c < 8; ++c)
                m_grid->update(m_grid->model()->index(row, c));
}

void TBatchFileDealMainFrm::OnStartDealFile(TCustomBathFileDeal* worker, const QString& path) {
    if (!IsCurrent(worker)) return;
    const TBatchTransport task = worker->TaskInfo();
    const bool up = task.TranStyle == TS_Upload;
    if (task.FF == FF_File) m_lbSt->setText(up ? m_texts.Upload : m_texts.Download);
    else m_lbSt->setText(up ? m_texts.BulkUpload : m_texts.BulkDownload);
    m_fileName->setText(path);
    m_pbCount->setMaximum(worker->AllCount());
}

void TBatchFileDealMainFrm::OnShowLogInfo(TCustomBathFileDeal* worker, const QString& line) {
    if (IsCurrent(worker)) m_lbLog->setText(line);
}

void TBatchFileDealMainFrm::OnTcpWork(TCustomBathFileDeal* worker, qint64 done, qint64 size) {
    if (!worker) return;
    if (IsCurrent(worker)) {
        m_lbSizeInfo->setText(QString::number(done / 1024 + 1) + u"K/"_s +
                              QString::number(size / 1024 + 1) + u"K"_s);
        m_pbSize->setMaximum(1000);
        m_pbSize->setValue(int(std::lround(double(done) / double(size + 1) * 1000 + 0.99)));
    }
    RefreshRow(worker->TaskId());
}

void TBatchFileDealMainFrm::OnTaskPlan(TCustomBathFileDeal* worker, qint64 done, qint64 all) {
    if (!worker) return;
    if (IsCurrent(worker)) {
        m_lbNumInfo->setText(QString::number(done) + u"/"_s + QString::number(all));
        m_pbCount->setMaximum(int(std::max<qint64>(all, 1)));
        m_pbCount->setValue(int(done));
    }
    RefreshRow(worker->TaskId());
}

}  // namespace ov
