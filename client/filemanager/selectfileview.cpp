#include "client/filemanager/selectfileview.h"

#include <QTreeWidget>

#include "client/filemanager/treenodes.h"

using namespace Qt::StringLiterals;

namespace ov {

TSelectFileView::TSelectFileView(QWidget* parent) : TFileViewFrm(parent) {
    setObjectName(u"SelectFileView"_s);
    lvFiles->setSelectionMode(QAbstractItemView::ExtendedSelection);
    FCheckBoxes = true;
}

void TSelectFileView::AddFiles(const TTidyFile& file) {
    QString state;
    bool ticked = true;
    if (file.Dealed == DL_Removed) {
        state = WLS_Del;
        ticked = false;
    } else if (file.Dealed == DL_Done) {
        state = WLS_Complete;
    }
    AddFileItem(QVariant::fromValue(qint64(file.PathHash)), file.Kind, ticked, state, file.Path,
                file.ModifyDT, file.Size);
}

QVector<std::int64_t> TSelectFileView::GetUnSelectedKeys() const {
    QVector<std::int64_t> keys;
    for (int i = 0; i < lvFiles->topLevelItemCount(); ++i) {
        const QTreeWidgetItem* item = lvFiles->topLevelItem(i);
        if (item->checkState(FV_Name) != Qt::Checked)
            keys.append(item->data(FV_Name, kDataRole).toLongLong());
    }
    return keys;
}

bool TSelectFileView::ConfirmSelection() {
    FSelectKey = true;
    return true;
}

}  // namespace ov
