#pragma once
// The folder name dialog of "new folder" and "rename": IsResultOk is 1 when a name was
// confirmed.

#include <QDialog>

#include "core/types.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace ov {

class TSetFoldrNameFrm : public QDialog {
    Q_OBJECT
public:
    explicit TSetFoldrNameFrm(THS_Language language, QWidget* parent = nullptr);
    QString FolderName() const;

    int IsResultOk = 0;
    QLabel* Label1;
    QLineEdit* edtFolderName;
    QPushButton *Button1, *Button2;

private:
    void Button1Click();
    QString WLS_Caption, WLS_Hint;
};

}  // namespace ov
