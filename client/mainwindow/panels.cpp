// The two work panels of the main window (file manager and batch window), which are shown one
// at a time in the work area, and the handing of batch tasks to the batch window.

#include <QGridLayout>
#include <QMessageBox>

#include "client/mainwindow/mainwindow.h"
#include "core/globalconfig.h"

namespace ov {

namespace {

void dock(QWidget* panel, QWidget* workArea) {
    auto* grid = qobject_cast<QGridLayout*>(workArea->layout());
    if (!grid) {
        grid = new QGridLayout(workArea);
        grid->setContentsMargins(0, 0, 0, 0);
    }
    panel->hide();
    grid->addWidget(panel, 0, 0);  // both panels fill the area, one above the other
}

void showInFront(QWidget* panel) {
    if (!panel) return;
    panel->show();
    panel->raise();
}

}  // namespace

void TQUEXClientFrm::SetFileManagerPanel(QWidget* panel) {
    PFileMagFrm = panel;
    dock(panel, m_workArea);
}

void TQUEXClientFrm::SetBatchPanel(QWidget* panel) {
    PBatchFrm = panel;
    dock(panel, m_workArea);
}

void TQUEXClientFrm::Call(const std::function<void()>& hook) {
    if (hook) hook();
}

void TQUEXClientFrm::FileManagerToFront() {
    showInFront(PFileMagFrm);
    Call(FHooks.FileManagerToFront);
}

void TQUEXClientFrm::BatchToFront() {
    showInFront(PBatchFrm);
    Call(FHooks.BatchToFront);
}

void TQUEXClientFrm::PostRun() {
    QMetaObject::invokeMethod(
        this, [this] { HandleMessage(UM_RUN, 0, 0); }, Qt::QueuedConnection);
}

void TQUEXClientFrm::UmRun() {
    if (PBatchFrm) PBatchFrm->show();
    FLastBatchFrmSt = true;
    Call(FHooks.FileManagerInit);
    if (PFileMagFrm) PFileMagFrm->show();
    FLastMagFrmSt = true;
    Call(FHooks.BatchStartAll);
    const int unfinished = FHooks.BatchUnOverTaskNum ? FHooks.BatchUnOverTaskNum() : 0;
    if (unfinished > 0)
        BatchToFront();
    else
        FileManagerToFront();
}

void TQUEXClientFrm::FileMagBatchFileDeal(const TBatchTransport& task) {
    BatchToFront();
    if (FHooks.BatchAppendTask) FHooks.BatchAppendTask(task);
}

void TQUEXClientFrm::ShowPasswordDialog() {
    if (GlobalConfig()->UserId() <= 0) {
        QMessageBox::information(this, WLS_Hint, WLS_PleaseLogin, QMessageBox::Ok);
        return;
    }
    Call(FHooks.ShowPasswordDialog);
}

}  // namespace ov
