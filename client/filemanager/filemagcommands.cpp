// The panel's commands on the ticked items and the selected folder: upload, download, delete,
// preview, summary, refresh, and what goes to the start-up's slots (check-out and check-in,
// batch transfers, differences).

#include <QDesktopServices>
#include <QMessageBox>
#include <QTreeWidget>
#include <QUrl>

#include "client/filemanager/filedelfrm.h"
#include "client/filemanager/filedownloadfrm.h"
#include "client/filemanager/filemagfrm.h"
#include "client/filemanager/fileuploadfrm.h"
#include "client/filemanager/serverlink.h"
#include "client/filemanager/showfiles.h"
#include "client/filemanager/summaryfrm.h"
#include "client/filemanager/treenodes.h"
#include "client/mainwindow/servertexts.h"
#include "core/batchtransport.h"
#include "core/globalconfig.h"
#include "core/headinfo.h"
#include "core/robottcpclient.h"

using namespace Qt::StringLiterals;

namespace ov {

namespace {

const QStringList& clientPreviewExts() {
    static const QStringList exts = {
        u"mpp"_s, u"mppx"_s,   u"csv"_s,    u"xlsm"_s,   u"ceb"_s, u"mht"_s, u"eml"_s,
        u"prt"_s, u"prn"_s,    u"pcb"_s,    u"dxp"_s,    u"rep"_s, u"slddrw"_s, u"sldasm"_s,
        u"sldprt"_s, u"eps"_s, u"ddb"_s,    u"rtf"_s,    u"ecb"_s, u"exb"_s, u"sep"_s,
        u"gd"_s,  u"gw"_s,     u"ifr"_s,    u"chm"_s,    u"kdh"_s, u"caj"_s, u"gwd"_s};
    return exts;
}

}  // namespace

bool PreviewsInClient(const QString& fileName) {
    const qsizetype dot = fileName.lastIndexOf(u'.');
    return dot >= 0 && clientPreviewExts().contains(fileName.mid(dot + 1));
}

QString PreviewCommandText(std::int64_t fileKey, const QString& fileName) {
    return u"[filekey]"_s + QString::number(fileKey) +
           u"[/filekey][filever]-1[/filever][filename]"_s + fileName +
           u"[/filename][ctparams]Readonly=True,CanPrint=False[/ctparams]"_s;
}

QString TFileMagFrm::ClientToken() const {
    return ov::ClientToken(GlobalConfig()->EncryptUserID());
}

void TFileMagFrm::OpenUrl(const QString& url) {
    if (FSlots.OpenUrl)
        FSlots.OpenUrl(url);
    else
        QDesktopServices::openUrl(QUrl(url));
}

TFileUploadFrm* TFileMagFrm::UploadFrm() {
    if (FUploadFrm) return FUploadFrm;
    FUploadFrm = new TFileUploadFrm(this);
    if (FSlots.EditProperties)
        FUploadFrm->EditProperties = [this](QString& properties) {
            return FSlots.EditProperties(FUploadFrm, properties);
        };
    return FUploadFrm;
}

void TFileMagFrm::sbUploadClick() {
    if (FGroupId <= 0) {
        QMessageBox::information(this, WLS_Hint, WLS_SelGroup, QMessageBox::Ok);
        return;
    }
    if (FFolderId <= 0) {
        QMessageBox::information(this, WLS_Hint, WLS_SelFolder, QMessageBox::Ok);
        return;
    }
    UploadFrm();
    FUploadFrm->Init(FGroupId, FsList, FFolderId);
    FUploadFrm->show();
}

void TFileMagFrm::sbDownloadClick() {
    const auto infos = GetSelectedInfos(false, false);
    if (!infos) return;
    if (!FDownloadFrm) FDownloadFrm = new TFileDownloadFrm(this);
    FDownloadFrm->Init(*infos);
    FDownloadFrm->show();
}

void TFileMagFrm::sbDeleteClick() {
    if (QMessageBox::question(this, WLS_Hint, WLS_DEL) != QMessageBox::Yes) return;
    const auto infos = GetSelectedInfos(false, true);
    if (!infos) return;
    auto* form = new TFileDelFrm(this);
    form->Init(*infos, FGroupId, FsList);
    form->show();
    ++FPending;
    connect(form, &TFileDelFrm::deleted, this, [this] {
        --FPending;
        ReloadFolder();
    });
    form->DeleteFiles();
}

// The current folder's sub-folders and items, fetched again.
void TFileMagFrm::ReloadFolder() {
    QTreeWidgetItem* node = FolderTree->currentItem();
    if (!node || !node->parent()) return;
    const QSignalBlocker quiet(FolderTree);
    ++FTreeGeneration;  // replies for the nodes about to go are dropped
    qDeleteAll(node->takeChildren());
    SetNodeImage(node, 6);
    FolderTreeChange(node);
}

void TFileMagFrm::sbPreviewClick() {
    const auto infos = GetSelectedInfos(true, false);
    if (!infos) return;
    const TSelectedInfo& file = infos->first();
    if (PreviewsInClient(file.FileName)) {
        if (FSlots.RunWebCmd) FSlots.RunWebCmd(13, PreviewCommandText(file.FileKey, file.FileName));
        return;
    }
    OpenUrl(GlobalConfig()->ServerUrl() + u"/previewopen?st=c&extopr=core&filekey="_s +
            QString::number(file.FileKey) + u"&uid="_s + ClientToken() + u"&c=2"_s);
}

void TFileMagFrm::sbSummaryClick() {
    const QTreeWidgetItem* ticked = nullptr;
    for (int i = 0; i < FsList->topLevelItemCount(); ++i) {
        const QTreeWidgetItem* item = FsList->topLevelItem(i);
        if (item->checkState(FC_Name) != Qt::Checked) continue;
        if (ticked) {
            QMessageBox::critical(this, WLS_Hint, WLS_SelOne);
            return;
        }
        ticked = item;
    }
    if (!ticked) {
        QMessageBox::information(this, WLS_Hint, WLS_SelOne2, QMessageBox::Ok);
        return;
    }
    if (ticked->text(FC_IsFolder) == u"1"_s) return;
    const std::int64_t key = ticked->text(FC_Id).toLongLong();
    const TServerLink link = TServerLink::FromSettings();
    Request<TTextReply>(
        [link, key] {
            TTextReply reply;
            try {
                reply.State = link.Client()->RetrieveFileDesc(key, reply.Text);
            } catch (const std::exception& e) {
                reply.Failed = true;
                reply.Text = QString::fromUtf8(e.what());
            }
            return reply;
        },
        [this, key](const TTextReply& reply) {
            if (reply.Failed)
                QMessageBox::critical(this, WLS_Hint, reply.Text);
            else if (reply.State == RS_Ok2)
                ShowSummary(key, reply.Text);
            else
                QMessageBox::information(this, WLS_Hint, reply.Text, QMessageBox::Ok);
        });
}

// The summary dialog until the edit is saved or given up: a refused or failed save shows why
// and brings the edit back.
void TFileMagFrm::ShowSummary(std::int64_t key, const QString& text) {
    SummaryFrm->SetText(text);
    if (SummaryFrm->exec() != QDialog::Accepted) return;
    SaveSummary(key, SummaryFrm->Text());
}

void TFileMagFrm::SaveSummary(std::int64_t key, const QString& text) {
    const TServerLink link = TServerLink::FromSettings();
    Request<TTextReply>(
        [link, key, text] {
            TTextReply reply;
            try {
                auto client = link.Client();
                reply.State = client->ApiPostText(TT_UpdateFileDesc,
                                                  client->UserEncryptStr() +
                                                      RequestTagNum(u"filekey"_s, key) +
                                                      RequestTag(u"desc"_s, text),
                                                  reply.Text);
            } catch (const std::exception& e) {
                reply.Failed = true;
                reply.Text = QString::fromUtf8(e.what());
            }
            return reply;
        },
        [this, key, text](const TTextReply& reply) {
            if (!reply.Failed && (reply.State == RS_Ok || reply.State == RS_Ok2)) return;
            QMessageBox::critical(this, WLS_Hint, reply.Text);
            ShowSummary(key, text);
        });
}

void TFileMagFrm::sbtReloadClick() {
    {
        const QSignalBlocker quiet(FolderTree);
        ClearFolderTree();
    }
    FolderTree->hide();
    OrgTree->show();
    Init();
}

void TFileMagFrm::CheckoutClick(bool checkin) {
    const auto infos = GetSelectedInfos(false, false);
    if (!infos) return;
    QStringList keys, names;
    for (const TSelectedInfo& info : *infos) {
        keys << QString::number(info.FileKey);
        names << info.FileName;
    }
    const auto& slot = checkin ? FSlots.Checkin : FSlots.Checkout;
    if (slot) slot(keys, names, FAppPath);
    ClearList();
    LoadFileList();
}

void TFileMagFrm::BulkUploadClick() {
    if (!FSlots.OnBatchFileDeal) return;
    if (FFolderId <= 0) {
        QMessageBox::critical(this, WLS_Hint, WLS_SelFolder);
        return;
    }
    TBatchTransport task;
    InitBatchTransport(task);
    task.TranStyle = TS_Upload;
    task.FF = FF_Folder;
    task.DestOwnerId = FGroupId;
    task.DestFolderId = FFolderId;
    if (FolderTree->currentItem()) task.DestFolderName = FolderTree->currentItem()->text(0);
    FSlots.OnBatchFileDeal(task);
}

void TFileMagFrm::BulkDownloadClick() {
    if (!FSlots.OnBatchFileDeal) return;
    TBatchTransport task;
    InitBatchTransport(task);
    task.TranStyle = TS_Download;
    task.FF = FF_Folder;
    task.SourceOwnerId = FGroupId;
    if (QTreeWidgetItem* node = FolderTree->currentItem()) {
        task.SourceFolderId = FFolderId;
        task.SourceFolderName = node->text(0);
    }
    FSlots.OnBatchFileDeal(task);
}

void TFileMagFrm::ShowDiffClick() {
    if (FGroupId <= 0) {
        QMessageBox::information(this, WLS_Hint, WLS_SelGroup, QMessageBox::Ok);
        return;
    }
    if (FFolderId <= 0) {
        QMessageBox::information(this, WLS_Hint, WLS_SelFolder, QMessageBox::Ok);
        return;
    }
    if (FSlots.ShowDiff) FSlots.ShowDiff(FGroupId, FFolderId, FAppPath);
}

}  // namespace ov
