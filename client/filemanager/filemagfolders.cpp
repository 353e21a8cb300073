// New server folders and folder renames through the server's pages, the name sent encoded.

#include <QMessageBox>
#include <QRandomGenerator>
#include <QTreeWidget>
#include <QUrl>

#include "client/filemanager/filemagfrm.h"
#include "client/filemanager/foldernamefrm.h"
#include "client/filemanager/treenodes.h"
#include "client/serverdialogs/httptext.h"
#include "core/globalconfig.h"

using namespace Qt::StringLiterals;

namespace ov {

namespace {

QString encoded(const QString& name) {
    return QString::fromLatin1(QUrl::toPercentEncoding(name));
}

QString randomTail() {
    return u"&rnd="_s + QString::number(QRandomGenerator::global()->bounded(10000));
}

}  // namespace

void TFileMagFrm::NewFolderClick() {
    QTreeWidgetItem* node = FolderTree->currentItem();
    if (GlobalConfig()->UserId() <= 0 || !node || FolderTree->isHidden()) return;
    TSetFoldrNameFrm dialog(FHS_Language, this);
    dialog.exec();
    if (dialog.IsResultOk != 1) return;
    const QString name = dialog.FolderName();
    const QString url = GlobalConfig()->ServerUrl() + u"/folderadd?opr=new&st=c&uid="_s +
                        ClientToken() + u"&ownerid="_s + QString::number(FGroupId) +
                        u"&fatherid="_s + QString::number(FFolderId) + u"&foldername="_s +
                        encoded(name) + randomTail();
    const int generation = FTreeGeneration;
    Request<QString>([url] { return HttpGetText(url); },
                     [this, node, name, generation](const QString& reply) {
                         FolderAdded(reply, generation == FTreeGeneration ? node : nullptr, name);
                     });
}

// The new folder's id (its node goes below the node it was made in, while that is still there),
// or the server's refusal.
void TFileMagFrm::FolderAdded(const QString& reply, QTreeWidgetItem* node, const QString& name) {
    bool ok = false;
    const qint64 id = reply.trimmed().toLongLong(&ok);
    if (!ok || id <= 0) {
        QMessageBox::information(this, QString(), reply);
        return;
    }
    QMessageBox::information(this, QString(), WLS_NewFolder);
    if (!node) return;
    const QSignalBlocker quiet(FolderTree);
    AddNode(FolderTree, node, name, id, 1);
}

void TFileMagFrm::RenameFolderClick() {
    if (GlobalConfig()->UserId() <= 0) return;
    if (FFolderId <= 0) {
        QMessageBox::critical(this, WLS_Hint, WLS_SelFolder);
        return;
    }
    TSetFoldrNameFrm dialog(FHS_Language, this);
    dialog.exec();
    if (dialog.IsResultOk != 1) return;
    const QString name = dialog.FolderName();
    const QString url = GlobalConfig()->ServerUrl() + u"/folderrename?opr=rename&st=c&uid="_s +
                        ClientToken() + u"&ownerid="_s + QString::number(FGroupId) +
                        u"&folderid="_s + QString::number(FFolderId) + u"&foldername="_s +
                        encoded(name) + randomTail();
    const int generation = FTreeGeneration;
    QTreeWidgetItem* node = FolderTree->currentItem();
    Request<QString>([url] { return HttpGetText(url); },
                     [this, node, name, generation](const QString& reply) {
                         if (reply != u"ok"_s) {
                             QMessageBox::information(this, QString(), reply);
                             return;
                         }
                         if (node && generation == FTreeGeneration) node->setText(0, name);
                         QMessageBox::information(this, QString(), WLS_RenameFolder);
                     });
}

}  // namespace ov
