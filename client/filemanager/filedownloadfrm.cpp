#include "client/filemanager/filedownloadfrm.h"

#include <QCloseEvent>
#include <QDir>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

#include "client/filemanager/formstyle.h"
#include "client/filemanager/transferjob.h"
#include "core/globalconfig.h"
#include "core/paths.h"
#include "core/resultcode.h"
#include "core/robottcpclient.h"
#include "core/tagtext.h"
#include "core/widgets/getpathfrm.h"

using namespace Qt::StringLiterals;

namespace ov {

QString SafeLocalName(const QString& serverName) {
    QString name = serverName;
    name.replace(u'\\', u'/');
    name = name.section(u'/', -1);
    if (name.isEmpty() || name == u"."_s || name == u".."_s || name.contains(QChar(0)))
        return QString();
    return name;
}

QString NormalizeSavePath(const QString& path) {
    QString p = path;
    p.replace(u'\\', u'/');
    while (p.contains(u"//"_s)) p.replace(u"//"_s, u"/"_s);
    if (!p.endsWith(u'/')) p += u'/';
    return p;
}

QString ProposedSavePath(const QString& workRoot, const QString& serverPath) {
    QString path = NormalizeSavePath(workRoot);
    QString server = serverPath;
    server.replace(u'\\', u'/');
    for (const QString& part : server.split(u'/', Qt::SkipEmptyParts)) {
        const QString safe = SafeLocalName(part);
        if (!safe.isEmpty()) path += safe + u'/';
    }
    return path;
}

TFileDownloadFrm::TFileDownloadFrm(QWidget* parent)
    : QDialog(parent), FLink(TServerLink::FromSettings()), FJob(new TTransferJob(this)) {
    setObjectName(u"FileDownloadFrm"_s);
    PlDownload = Named(new QWidget(this), u"PlDownload"_s);
    EdtPath = Named(new QLineEdit(PlDownload), u"EdtPath"_s);
    BtSelectPath = Named(new QPushButton(PlDownload), u"BtSelectPath"_s);
    BtDownload = Named(new QPushButton(PlDownload), u"BtDownload"_s);
    BtCancel = Named(new QPushButton(PlDownload), u"BtCancel"_s);
    auto* top = new QGridLayout(PlDownload);
    top->addWidget(new QLabel(PlDownload), 0, 0);
    top->addWidget(EdtPath, 0, 1, 1, 2);
    top->addWidget(BtSelectPath, 0, 3);
    top->addWidget(BtDownload, 1, 2);
    top->addWidget(BtCancel, 1, 3);
    PlHint = Named(new QWidget(this), u"PlHint"_s);
    lbFileName = Named(new QLabel(PlHint), u"lbFileName"_s);
    ProgressBar1 = Named(new QProgressBar(PlHint), u"ProgressBar1"_s);
    ProgressBar1->setTextVisible(false);
    lbSize = Named(new QLabel(PlHint), u"lbSize"_s);
    MmHint = Named(new QPlainTextEdit(PlHint), u"MmHint"_s);
    MmHint->setReadOnly(true);
    BtCancel2 = Named(new QPushButton(PlHint), u"BtCancel2"_s);
    auto* hint = new QGridLayout(PlHint);
    hint->addWidget(new QLabel(PlHint), 0, 0);
    hint->addWidget(lbFileName, 0, 1, 1, 2);
    hint->addWidget(new QLabel(PlHint), 1, 0);
    hint->addWidget(ProgressBar1, 1, 1);
    hint->addWidget(lbSize, 1, 2);
    hint->addWidget(MmHint, 2, 0, 1, 3);
    hint->addWidget(BtCancel2, 3, 2);
    PlHint->hide();
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(PlDownload);
    layout->addWidget(PlHint);
    resize(480, 110);
    LoadTexts();
    PickFolder = [this](const QString& start) {
        TGetPathFrm picker(this);
        picker.LanguageInit(FLink.Language);
        picker.SetSelectedPath(start);
        return picker.exec() == QDialog::Accepted ? picker.SelectedPath() : QString();
    };
    connect(FJob, &TTransferJob::progress, this, &TFileDownloadFrm::ShowProgress);
    connect(BtSelectPath, &QPushButton::clicked, this, [this] {
        const QString chosen = PickFolder(EdtPath->text());
        if (!chosen.isEmpty()) EdtPath->setText(chosen);
    });
    connect(BtDownload, &QPushButton::clicked, this, &TFileDownloadFrm::BtDownloadClick);
    connect(BtCancel, &QPushButton::clicked, this, &QDialog::close);
    connect(BtCancel2, &QPushButton::clicked, this, &QDialog::close);
}

TFileDownloadFrm::~TFileDownloadFrm() = default;

void TFileDownloadFrm::LoadTexts() {
    const bool cn = FLink.Language == HSL_CN;
    WLS_Hint = cn ? u"提示"_s : u"Hint"_s;
    WLS_DownloadOK = cn ? u"下载成功！"_s : u"Download success!"_s;
    WLS_SelPath = cn ? u"请选择下载路径！"_s : u"Please select a download path!"_s;
    WLS_IsNewPath = cn ? u"不存在的本地保存路径，是否新建路径？"_s
                       : u"The path does not exist, whether the new path?"_s;
    WLS_NewPathErr = cn ? u"新建本地保存路径失败！"_s : u"Failed to create save path!"_s;
    WLS_AllOK = cn ? u"全部任务完成！"_s : u"All tasks are completed!"_s;
    setWindowTitle(cn ? u"文件下载"_s : u"File Download"_s);
    auto label = [](QWidget* panel, int row) {
        return static_cast<QLabel*>(
            static_cast<QGridLayout*>(panel->layout())->itemAtPosition(row, 0)->widget());
    };
    label(PlDownload, 0)->setText(cn ? u"保存路径："_s : u"Save path:"_s);
    label(PlHint, 0)->setText(cn ? u"文件名称："_s : u"Name:"_s);
    label(PlHint, 1)->setText(cn ? u"下载进度："_s : u"Progress:"_s);
    BtSelectPath->setText(cn ? u"选择"_s : u"Select"_s);
    BtDownload->setText(cn ? u"下载"_s : u"Download"_s);
    BtCancel->setText(cn ? u"取消"_s : u"Cancel"_s);
    BtCancel2->setText(cn ? u"关闭"_s : u"Close"_s);
    ApplyFormFont(this, FLink.Language);
}

void TFileDownloadFrm::Init(const TSelectedInfos& SelectedInfo) {
    FItems = SelectedInfo;
    FJob->ResetCancel();
    FMayClose = false;
    PlHint->hide();
    PlDownload->show();
    const QString root = GlobalConfig()->WorkRoot();
    QString serverPath;
    if (!FItems.isEmpty()) {
        const QString reply = FLink.Client()->GetServerPath(FItems.first().FileKey, false);
        serverPath = ReadTagValue(reply, u"PathStr"_s);
    }
    EdtPath->setText(ProposedSavePath(root, serverPath));
}

bool TFileDownloadFrm::IsBusy() const {
    return FJob->IsBusy();
}

void TFileDownloadFrm::closeEvent(QCloseEvent* event) {
    FItems.clear();
    FJob->Cancel();
    FMayClose = true;
    hide();
    event->ignore();
}

bool TFileDownloadFrm::CheckSavePath(QString& path) {
    path = EdtPath->text().trimmed();
    if (path.isEmpty()) {
        QMessageBox::critical(this, WLS_Hint, WLS_SelPath);
        return false;
    }
    path = NormalizeSavePath(path);
    if (QDir(path).exists()) return true;
    if (QMessageBox::question(this, WLS_Hint, WLS_IsNewPath) != QMessageBox::Yes) return false;
    if (ForceFolder(path) && QDir(path).exists()) return true;
    QMessageBox::critical(this, WLS_Hint, WLS_NewPathErr);
    return false;
}

void TFileDownloadFrm::BtDownloadClick() {
    if (FJob->IsBusy() || !CheckSavePath(FPath)) return;
    PlDownload->hide();
    PlHint->show();
    resize(500, 400);
    MmHint->clear();
    FIndex = 0;
    FErrors = 0;
    FMayClose = false;
    DownloadNext();
}

void TFileDownloadFrm::DownloadNext() {
    if (FJob->IsCancelled() || FIndex >= FItems.size()) {
        MmHint->appendPlainText(WLS_AllOK);
        FMayClose = true;
        emit downloadsFinished();
        if (FErrors == 0) close();
        return;
    }
    const TSelectedInfo item = FItems.at(FIndex++);
    ProgressBar1->setMaximum(0);
    lbFileName->setText(item.FileName);
    const QString name = SafeLocalName(item.FileName);
    if (name.isEmpty()) {
        MmHint->appendPlainText(FPath + item.FileName + u": "_s + WLS_NewPathErr);
        ++FErrors;
        DownloadNext();
        return;
    }
    const QString target = FPath + name;
    FJob->Run(
        FLink, kTransferTimeoutMs,
        [target, key = item.FileKey](TRobotTcpClient& client) {
            return int(client.DownloadFile(target, u"[IsReplace]True[/IsReplace]"_s, key));
        },
        [this, target](int result, const QString& error) {
            if (result == RC_CanDownload) {
                MmHint->appendPlainText(target + u": "_s + WLS_DownloadOK);
            } else {
                MmHint->appendPlainText(target + u": "_s + error);
                ++FErrors;
            }
            DownloadNext();
        });
}

void TFileDownloadFrm::ShowProgress(qint64 allSize, qint64 doneSize) {
    const qint64 total = allSize / 1024 + 1, done = doneSize / 1024 + 1;
    if (ProgressBar1->maximum() == 0)
        ProgressBar1->setMaximum(int(std::min<qint64>(total + 1, INT_MAX)));
    ProgressBar1->setValue(int(std::min<qint64>(done, ProgressBar1->maximum())));
    lbSize->setText(QString::number(done) + u"/"_s + QString::number(total) + u"K"_s);
}

}  // namespace ov
