#pragma once
// The owner picker: the organisation's groups with their members; the user picks a group or a
// member as the owner of a task's server folders. OwnerId is -1 when cancelled. The caller owns
// the dialog and frees it after reading the result.

#include <QDialog>
#include <functional>

#include "client/filemanager/orgstructure.h"
#include "client/filemanager/serverlink.h"
#include "core/trantype.h"

class QLabel;
class QLineEdit;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

namespace ov {

class TSelectOwnerFrm : public QDialog {
    Q_OBJECT
public:
    explicit TSelectOwnerFrm(QWidget* parent = nullptr);

    // Fetches and shows the organisation; the caller then shows the dialog modally.
    void GetOrgStructure(TTranStyle TranStyle);
    // Called with the chosen owner when "next" closes the dialog (the target window of the
    // original message 0x472).
    void SetHandle(std::function<void(std::int32_t ownerId)> target) { FTarget = std::move(target); }
    std::int32_t OwnerId() const { return FOwnerId; }

    QTreeWidget* tvOrg;
    QLabel* Label1;
    QLineEdit* edtName;
    QPushButton* BitBtn1;  // next
    QPushButton* BitBtn2;  // cancel

private:
    void LoadLangStrings();
    void FillGroup(QTreeWidgetItem* parent, const THS_Org& group);
    void tvOrgClick();
    void BitBtn1Click();

    TServerLink FLink;
    TOrgStructure POrg;
    std::int32_t FOwnerId = -1;
    std::function<void(std::int32_t)> FTarget;
    QString WLS_Hint, WLS_Members;
};

}  // namespace ov
