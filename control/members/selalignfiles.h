#pragma once
// "Select aligned files": the files the server keeps with a file (the parts of a drawing, for
// example), each with a tick box, so that the user picks which of them come along when the
// file is opened.

#include <QDialog>
#include <QStringList>

#include "core/types.h"

class QLabel;
class QListWidget;
class QPushButton;
class QWidget;

namespace ov::control {

class TFrmAlignFiles : public QDialog {
    Q_OBJECT
public:
    explicit TFrmAlignFiles(QWidget* owner = nullptr);

    // Stores the language and sets the texts (with FFileName in the label).
    void SetLanguage(THS_Language ALanguage);
    // One unticked entry per item: the value part of "key=name".
    void InitItems(const QStringList* AFileList);
    // Deletes from the list every item whose entry carries no tick.
    void GetCheckedItems(QStringList& AFileList) const;

    QString FFileName;
    QString FFileKey;

    QLabel* lblFile;
    QListWidget* lbxAlignFiles;
    QWidget* Panel1;
    QPushButton *btnSelAll, *btnSelInvert, *btnConfirm, *btnCancel;

private:
    void SetAllTicks(bool invert);

    THS_Language FLanguage = HSL_CN;
};

// The value part of a "name=value" item (the text after its first "=").
QString ItemValue(const QString& item);
// The name part (the text before its first "="; the whole item when it has none).
QString ItemName(const QString& item);

}  // namespace ov::control
