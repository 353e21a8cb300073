#pragma once
// The working-folder dialog: the local working root, chosen or typed, created when missing and
// stored in the settings (it takes effect at the next start).

#include <QDialog>
#include <functional>

#include "core/types.h"

class QLineEdit;
class QPushButton;
class QLabel;

namespace ov {

class TWorkPathFrm : public QDialog {
    Q_OBJECT
public:
    explicit TWorkPathFrm(QWidget* parent = nullptr);
    void bbtSaveClick();
    // The folder picker; tests replace it.
    std::function<QString(const QString& start)> PickFolder;

    QString FPath;
    QLabel* Label1;
    QLineEdit* edtFolder;
    QPushButton *bbtSave, *BitBtn1, *BitBtn2;

private:
    THS_Language FHS_Language;
    QString WLS_Hint, WLS_PathNotExist, WLS_NewPathFailed, WLS_SaveOK, WLS_ChooseLocal;
};

}  // namespace ov
