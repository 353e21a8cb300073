#pragma once
// The list form of the pickers: files with their source path, size, modification time and
// state; sorting by a column (locale order, a second click reverses), ticking all, and a name
// search that ticks what it finds. A derived form decides what "confirm" accepts.

#include <QDialog>

#include "core/types.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

namespace ov {

class TFileViewFrm : public QDialog {
    Q_OBJECT
public:
    explicit TFileViewFrm(QWidget* parent = nullptr);

    void lvFilesColumnClick(int column);
    void btFnSearchClick();
    void CheckBox1Click(bool checked);
    void bbtSaveClick();
    // Appends an item: the data, the kind's image, the name after the path's last separator,
    // the path up to it, size in KB, time and state.
    QTreeWidgetItem* AddFileItem(const QVariant& data, std::int32_t kind, bool ticked,
                                 const QString& state, const QString& path, TDateTime modified,
                                 std::int64_t size);

    QTreeWidget* lvFiles;
    QCheckBox* CheckBox1;
    QLineEdit* edtSearchStr;
    QPushButton *btFnSearch, *bbtSave, *bbtCancel;
    QLabel* lbFileNum;

protected:
    virtual bool ConfirmSelection() { return false; }

    THS_Language FHS_Language;
    int FLastIndex = -1;
    int FSortCol = 0;
    bool FSearchInit = false;
    bool FCheckBoxes = false;  // items carry check boxes
    QString WLS_Hint, WLS_FileNum, WLS_Select, WLS_Del, WLS_Complete;
};

// Column of the pickers' list.
enum TFileViewColumn { FV_Name, FV_Path, FV_Size, FV_Time, FV_State };

}  // namespace ov
