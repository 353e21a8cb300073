#include "documents/batchdownload/batchdownloadfrm.h"

#include "core/globalconfig.h"
#include "core/paths.h"
#include "documents/versions/hintfrmxe.h"
#include "documents/versions/titlebar.h"
#include "documents/versions/versionsteps.h"
#include "platform/widgets/desktopopen.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QFile>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace ov {

namespace {

// The folder with "/" separators, no doubled separators, and one "/" at its end.
QString downloadFolder(QString folder) {
    folder.replace(u'\\', u'/');
    while (folder.contains(u"//"_s)) folder.replace(u"//"_s, u"/"_s);
    if (!folder.endsWith(u'/')) folder += u'/';
    return folder;
}

// The text with its first "%s" replaced by `a` and the next by `b`.
QString formatTwo(QString text, const QString& a, const QString& b) {
    const qsizetype first = text.indexOf(u"%s"_s);
    if (first < 0) return text;
    text.replace(first, 2, a);
    const qsizetype second = text.indexOf(u"%s"_s, first + a.size());
    if (second >= 0) text.replace(second, 2, b);
    return text;
}

}  // namespace

TBatchDownloadFrm::TBatchDownloadFrm(QWidget* parent) : QDialog(parent) {
    setObjectName(u"BatchDownloadFrm"_s);
    setAttribute(Qt::WA_DeleteOnClose);
    FHS_Language = Access.Language;
    Access.ReadTimeoutMs = 30000;
    LoadTexts();
    MakeBorderless(this);
    setFont(QFont(FHS_Language == HSL_CN ? u"宋体"_s : u"Tahoma"_s, 9));
    setWindowTitle(LangText(FHS_Language, u"文件下载"_s, u"File download"_s));
    setFixedSize(440, 250);
    CreateWidgets();
    LayOut();
    connect(btConfirm, &QPushButton::clicked, this, &TBatchDownloadFrm::btConfirmClick);
    connect(btCancel, &QPushButton::clicked, this, &TBatchDownloadFrm::btCancelClick);
    connect(btPathSelect, &QPushButton::clicked, this, &TBatchDownloadFrm::btPathSelectClick);
    connect(btSetDownloadPath, &QPushButton::clicked, this,
            &TBatchDownloadFrm::btSetDownloadPathClick);
    connect(Image3, &TTitleBar::closeClicked, this, &TBatchDownloadFrm::btCancelClick);
}

TBatchDownloadFrm::~TBatchDownloadFrm() = default;

void TBatchDownloadFrm::LoadTexts() {
    const THS_Language l = FHS_Language;
    WLS_DownloadNum = LangText(l, u"共有下载文件%s个,已经完成%s个"_s,
                               u"There are %s files needed to download. %s of them have been "
                               u"downloaded."_s);
    WLS_DownlandFile =
        LangText(l, u"当前下载文件”%s”"_s, u"The currently downloading file is \"%s\""_s);
    WLS_OpenFailed = LangText(l, u"文件打开失败"_s, u"Failed to open file"_s);
    WLS_Hint = LangText(l, u"提示"_s, u"Hint"_s);
    WLS_SelPath = LangText(l, u"请选择下载路径"_s, u"Please select the download path!"_s);
    WLS_SelPath2 = LangText(l, u"选择下载路径"_s, u"Select directory"_s);
    WLS_Dowload = LangText(l, u"已成功下载"_s, u"Successfully downloaded"_s);
    WLS_OpenPath = LangText(l, u"打开所在路径"_s, u"Open the path"_s);
    WLS_NoName = LangText(l, u"文件名称无效，未下载"_s, u"Invalid file name, not downloaded"_s);
}

void TBatchDownloadFrm::CreateWidgets() {
    const bool cn = FHS_Language == HSL_CN;
    Image3 = new TTitleBar(u"Image3"_s, u"Image7"_s, this);
    Image3->Title->setObjectName(u"Label2"_s);
    Image3->Title->setText(LangText(FHS_Language, u"文件下载"_s, u"File download"_s));
    Label1 = Named(new QLabel(WLS_SelPath2 + u':', this), u"Label1"_s);
    Edit1 = Named(new QLineEdit(this), u"Edit1"_s);
    Edit1->setReadOnly(true);
    btPathSelect = Named(new QPushButton(cn ? u"选择"_s : u"Select"_s, this), u"btPathSelect"_s);
    btSetDownloadPath = Named(
        new QPushButton(cn ? u"设置下载路径"_s : u"Set download path"_s, this), u"btSetDownloadPath"_s);
    cbOpenFile = Named(new QCheckBox(cn ? u"同时打开文件"_s : u"Open the file"_s, this),
                       u"cbOpenFile"_s);
    cbOpenFile->setChecked(true);
    Label7 = Named(new QLabel(this), u"Label7"_s);
    Label8 = Named(new QLabel(cn ? u"当前文件："_s : u"Current: "_s, this), u"Label8"_s);
    ProgressBar2 = Named(new QProgressBar(this), u"ProgressBar2"_s);
    ProgressBar1 = Named(new QProgressBar(this), u"ProgressBar1"_s);
    btConfirm = Named(new QPushButton(cn ? u"下载"_s : u"Download"_s, this), u"btConfirm"_s);
    btCancel = Named(new QPushButton(cn ? u"取消"_s : u"Cancel"_s, this), u"btCancel"_s);
    ProgressBar2->setMaximum(0);
    ProgressBar2->setValue(0);
    ProgressBar2->setTextVisible(false);
    ProgressBar1->setValue(0);
}

void TBatchDownloadFrm::LayOut() {
    auto* body = new QVBoxLayout;
    body->setContentsMargins(12, 8, 12, 10);
    auto* folder = new QHBoxLayout;
    folder->addWidget(Label1);
    folder->addWidget(Edit1, 1);
    folder->addWidget(btPathSelect);
    body->addLayout(folder);
    auto* options = new QHBoxLayout;
    options->addWidget(cbOpenFile);
    options->addStretch(1);
    options->addWidget(btSetDownloadPath);
    body->addLayout(options);
    body->addWidget(Label7);
    body->addWidget(ProgressBar1);
    body->addWidget(Label8);
    body->addWidget(ProgressBar2);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(btConfirm);
    buttons->addWidget(btCancel);
    body->addLayout(buttons);
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(1, 1, 1, 1);
    outer->setSpacing(0);
    outer->addWidget(Image3);
    outer->addLayout(body, 1);
}

void TBatchDownloadFrm::Init(const QStringList& KeysStr, const QStringList& NamesStr) {
    FEntries = BatchEntries(KeysStr, NamesStr);
    FFileKey.clear();
    Edit1->setText(GlobalConfig()->DownloadRoot());
    if (FEntries.size() > 1) cbOpenFile->setText(WLS_OpenPath);
    Label7->setText(formatTwo(WLS_DownloadNum, QString::number(FEntries.size()), QString()));
}

void TBatchDownloadFrm::btPathSelectClick() {
    const QString folder = Ui.PickFolder(this, WLS_SelPath2, Edit1->text());
    if (!folder.isEmpty()) Edit1->setText(downloadFolder(folder));
    activateWindow();
}

void TBatchDownloadFrm::btSetDownloadPathClick() {
    const QString folder = Ui.PickFolder(this, WLS_SelPath2, Edit1->text());
    if (!folder.isEmpty()) {
        Edit1->setText(folder);
        GlobalConfig()->SetDownloadRoot(folder);
        GlobalConfig()->Save();
    }
    activateWindow();
}

void TBatchDownloadFrm::btConfirmClick() {
    if (FRunning) return;
    if (Edit1->text().trimmed().isEmpty()) {
        Ui.Tell(this, WLS_Hint, WLS_SelPath, false);
        return;
    }
    if (FEntries.empty()) return;
    FFolder = downloadFolder(Edit1->text());
    FOpenFile = cbOpenFile->isChecked();
    FFileKey.clear();
    FLastError.clear();
    FArrived = 0;
    FIndex = 0;
    FRunning = true;
    btConfirm->setEnabled(false);
    btPathSelect->setEnabled(false);
    btSetDownloadPath->setEnabled(false);
    ProgressBar1->setMaximum(int(FEntries.size()));
    NextFile(0);
}

void TBatchDownloadFrm::btCancelClick() {
    if (!FRunning) {
        close();
        return;
    }
    // The file in hand stops after its current chunk; the dialog closes when the run ends.
    m_calls.Cancel();
    FCloseAfterRun = true;
    btCancel->setEnabled(false);
}

void TBatchDownloadFrm::closeEvent(QCloseEvent* event) {
    if (!FRunning) {
        QDialog::closeEvent(event);
        return;
    }
    event->ignore();
    btCancelClick();
}

void TBatchDownloadFrm::NextFile(size_t index) {
    if (index >= FEntries.size() || m_calls.Cancelled()) {
        Finish();
        return;
    }
    const TBatchEntry& e = FEntries[index];
    if (e.Name.isEmpty()) {
        FileDone(index, e.Shown.isEmpty() ? QString::number(e.Key) : e.Shown, false, WLS_NoName);
        return;
    }
    const QString target = FFolder + e.Name;
    Label8->setText(formatTwo(WLS_DownlandFile, e.Name, QString()));
    ProgressBar2->setMaximum(0);
    const auto progress = m_calls.QueuedProgress([this](qint64 all, qint64 done) {
        if (ProgressBar2->maximum() == 0) ProgressBar2->setMaximum(int(all / 1024 + 2));
        ProgressBar2->setValue(int(std::min<qint64>(done / 1024 + 1, ProgressBar2->maximum())));
    });
    std::atomic<bool>* cancel = m_calls.CancelFlag();
    m_calls.Run<TStepResult>(
        [access = Access, key = e.Key, target, cancel, progress] {
            return FetchKeepingLocal(access, key, target, u"[IsReplace]True[/IsReplace]"_s,
                                     cancel, progress);
        },
        [this, index, target](const TStepResult& r, const QString& error) {
            FileDone(index, target, r.Ok, error.isEmpty() ? r.Error : error);
        });
}

void TBatchDownloadFrm::FileDone(size_t index, const QString& target, bool ok,
                                 const QString& error) {
    // A file stopped by cancel is neither downloaded nor failed: its old copy is back.
    if (!ok && m_calls.Cancelled()) {
        Finish();
        return;
    }
    FLastTarget = target;
    if (ok) {
        QFile::remove(target + u".1"_s);
        AddLog(target, WLS_Dowload);
        FFileKey += QString::number(FEntries[index].Key) + u',';
        if (++FArrived == 1) FFirstArrived = target;
    } else {
        FLastError = error;
        AddLog(target, error);
    }
    FIndex = index + 1;
    ShowCount();
    NextFile(index + 1);
}

void TBatchDownloadFrm::ShowCount() {
    ProgressBar1->setValue(int(FIndex));
    Label7->setText(formatTwo(WLS_DownloadNum, QString::number(FEntries.size()),
                              QString::number(FIndex)));
}

void TBatchDownloadFrm::Finish() {
    FRunning = false;
    if (FOpenFile && FArrived > 0) OpenResult();
    if (!FLastError.isEmpty() && PHintFrm) PHintFrm->ShowInFront();
    emit finished();
    close();
}

// One file that arrived is opened itself unless it is a program, script or launcher; several
// files, or such a file, open the folder.
void TBatchDownloadFrm::OpenResult() {
    QString path = FFolder;
    if (FArrived == 1 && platform::isSafeToOpenExt(QFileInfo(FFirstArrived).suffix()) &&
        platform::isSafeToOpenContent(FFirstArrived))
        path = FFirstArrived;
    bool opened = false;
    try {
        opened = Ui.Open(path);
    } catch (const std::exception&) {
        opened = false;
    }
    if (!opened) AddLog(FLastTarget, WLS_OpenFailed);
}

void TBatchDownloadFrm::AddLog(const QString& name, const QString& text) {
    if (PHintFrm) PHintFrm->AddLog(name, text);
}

}  // namespace ov
