#pragma once
// The server folder picker: an owner's folder tree; the chosen folder's id and its path of
// names ("Projects\2024\"). A cancelled picker holds folder -1.

#include <QDialog>

#include "client/filemanager/showfolder.h"

class QLabel;
class QLineEdit;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

namespace ov {

class TSelectFolderFrm : public QDialog {
    Q_OBJECT
public:
    explicit TSelectFolderFrm(QWidget* parent = nullptr);

    void GetFrame(std::int32_t MemberId);
    void tvOrgChange(QTreeWidgetItem* Node);
    void BitBtn3Click();

    bool FIsForceFolder = false;
    std::int32_t FOwnerId = -1;
    std::int64_t FFolderId = -1;
    QString FFolderName;

    QTreeWidget* tvOrg;
    QLabel* Label1;
    QLineEdit* edtFolderName;
    QPushButton *BitBtn3, *BitBtn4;

private:
    TShowFolder FShowFolder;
    THS_Language FHS_Language;
    QString WLS_Hint, WLS_Fn;
};

}  // namespace ov
