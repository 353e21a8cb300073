// Files and folders dropped from the desktop on the panel's list are uploaded into the
// selected folder, after a question that names them.

#include <QDropEvent>
#include <QMessageBox>
#include <QMimeData>
#include <QTimer>
#include <QTreeWidget>

#include "client/filemanager/droplist.h"
#include "client/filemanager/filemagfrm.h"
#include "client/filemanager/fileuploadfrm.h"
#include "client/filemanager/treenodes.h"

using namespace Qt::StringLiterals;

namespace ov {

bool TFileMagFrm::eventFilter(QObject* watched, QEvent* event) {
    if (watched != FsList->viewport()) return QWidget::eventFilter(watched, event);
    switch (event->type()) {
        case QEvent::DragEnter:
        case QEvent::DragMove: {
            auto* drag = static_cast<QDropEvent*>(event);
            if (!drag->mimeData()->hasUrls()) return false;
            drag->acceptProposedAction();
            return true;
        }
        case QEvent::Drop:
            return HandleDrop(static_cast<QDropEvent*>(event));
        default:
            return QWidget::eventFilter(watched, event);
    }
}

bool TFileMagFrm::HandleDrop(QDropEvent* event) {
    if (!event->mimeData()->hasUrls()) return false;
    FDropFileList = BuildDropList(event->mimeData()->urls());
    event->acceptProposedAction();
    if (FDropFileList.isEmpty()) return true;
    // The question waits for the drop to end.
    QTimer::singleShot(0, this, [this] {
        if (QMessageBox::question(this, WLS_Hint, DropQuestion(FDropFileList)) ==
            QMessageBox::Yes)
            UploadDropFiles();
    });
    return true;
}

QString TFileMagFrm::DropQuestion(const QStringList& entries) const {
    QString text = WLS_UploadFF;
    for (qsizetype i = 0; i < entries.size() && i < 10; ++i) text += u"\n  "_s + entries.at(i);
    if (entries.size() > 10) text += u"\n  ......"_s;
    return text;
}

void TFileMagFrm::UploadDropFiles() {
    if (FGroupId <= 0) {
        QMessageBox::critical(this, WLS_Hint, WLS_SelGroup);
        return;
    }
    if (FFolderId <= 0) {
        QMessageBox::critical(this, WLS_Hint, WLS_SelFolder);
        return;
    }
    const QString base = DropBaseFolder(FDropFileList);
    if (base.isEmpty()) return;
    const QStringList files = ExpandDropFolders(FDropFileList);
    UploadFrm();
    FUploadFrm->Init(FGroupId, FsList, FFolderId);
    FUploadFrm->show();
    const std::int64_t target = FFolderId;
    const QString owner = OrgTree->currentItem() ? OrgTree->currentItem()->text(0) : QString();
    connect(
        FUploadFrm, &TFileUploadFrm::listFinished, this,
        [this, target, owner] {
            LoadFolderTree(owner, FGroupId, [this, target] {
                if (QTreeWidgetItem* node = FindNode(FolderTree, nullptr, target, true)) {
                    FolderTree->setCurrentItem(node);
                    FolderTree->scrollToItem(node);
                }
            });
            FUploadFrm->hide();
        },
        Qt::SingleShotConnection);
    FUploadFrm->UploadList(base, files);
}

}  // namespace ov
