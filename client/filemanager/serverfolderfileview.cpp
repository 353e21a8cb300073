#include "client/filemanager/serverfolderfileview.h"

#include <QCheckBox>
#include <QDomDocument>
#include <QLabel>
#include <QMessageBox>
#include <QTreeWidget>

#include "client/filemanager/treenodes.h"
#include "client/filemanager/xmltext.h"
#include "core/datetime.h"
#include "core/robottcpclient.h"

using namespace Qt::StringLiterals;

namespace ov {

QVector<TServerFileEntry> ParseFolderFiles(const QString& xml, TDateTime now) {
    QVector<TServerFileEntry> files;
    QDomDocument doc;
    if (!LoadXmlText(doc, xml)) return files;
    for (QDomElement e = doc.documentElement().firstChildElement(); !e.isNull();
         e = e.nextSiblingElement()) {
        TServerFileEntry file;
        file.Path = e.text();
        file.Id = e.attribute(u"Id"_s).trimmed().toLongLong();
        file.Size = e.attribute(u"Size"_s).trimmed().toLongLong();
        file.DT = TextToDateTimeDef(e.attribute(u"DT"_s), now);
        file.Kind = e.attribute(u"Kind"_s).trimmed().toInt();
        files.append(file);
    }
    return files;
}

TServerFolderFileView::TServerFolderFileView(QWidget* parent)
    : TFileViewFrm(parent), FLink(TServerLink::FromSettings()) {
    setObjectName(u"ServerFolderFileView"_s);
    lvFiles->setSelectionMode(QAbstractItemView::SingleSelection);
    CheckBox1->hide();
}

void TServerFolderFileView::LoadFile(std::int32_t OwnerId, std::int64_t FolderId) {
    try {
        QString text;
        const std::uint8_t state = FLink.Client()->LoadFolderFiles(OwnerId, FolderId, text);
        if (state == RS_Ok) {
            for (const TServerFileEntry& file : ParseFolderFiles(text, Now()))
                AddFileItem(QVariant::fromValue(file.Id), file.Kind, false, QString(), file.Path,
                            file.DT, file.Size)
                    ->setData(FV_Path, kDataRole, file.Path);
        } else {
            QMessageBox::critical(this, WLS_Hint, text);
        }
    } catch (const std::exception& e) {
        QMessageBox::critical(this, WLS_Hint, QString::fromUtf8(e.what()));
    }
    lbFileNum->setText(WLS_FileNum + QString::number(lvFiles->topLevelItemCount()));
}

bool TServerFolderFileView::ConfirmSelection() {
    const QList<QTreeWidgetItem*> selected = lvFiles->selectedItems();
    if (selected.isEmpty()) {
        QMessageBox::critical(this, WLS_Hint, WLS_Select);
        return false;
    }
    FFileId = selected.first()->data(FV_Name, kDataRole).toLongLong();
    FFileName = selected.first()->data(FV_Path, kDataRole).toString();
    return true;
}

}  // namespace ov
