#pragma once
// The folder picker: a folder tree over the file system with an edit box above it that always
// holds the selected path, which the user may also type. OK is enabled only while a usable
// folder is selected.

#include "core/types.h"

#include <QDialog>
#include <QString>

class QFileSystemModel;
class QLabel;
class QLineEdit;
class QPushButton;
class QTreeView;

namespace ov {

class TGetPathFrm : public QDialog {
    Q_OBJECT
public:
    explicit TGetPathFrm(QWidget* owner = nullptr);

    // Sets the texts of the language; English also moves the edit box 5 pixels to the right and
    // makes it 5 pixels narrower. HSL_NONE keeps the design texts.
    void LanguageInit(THS_Language language);

    // The chosen folder after the dialog has closed ("" after cancel).
    QString SelectedPath() const { return FPath; }
    // Shows the path; an existing folder becomes the result and, unless it is a network path,
    // the tree moves to it.
    void SetSelectedPath(const QString& value);

    bool AllowNetDisk() const { return FAllowNetDisk; }
    void SetAllowNetDisk(bool value) { FAllowNetDisk = value; }

    QLabel* Label1;
    QLineEdit* edtSelectedPath;
    QPushButton* BitBtn1;  // OK
    QPushButton* BitBtn2;  // cancel
    QTreeView* ShellTreeView1;

private:
    void ShellTreeView1Change();
    void BitBtn1Click();
    void BitBtn2Click();
    bool isUsableFolder(const QString& path) const;
    void moveTreeTo(const QString& path);

    QFileSystemModel* m_model;
    bool FAllowNetDisk = true;
    QString FPath;
    THS_Language FHS_Language = HSL_NONE;
};

// Whether a path names a network share ("\\server\share" or "//server/share").
bool IsNetworkPath(const QString& path);

}  // namespace ov
