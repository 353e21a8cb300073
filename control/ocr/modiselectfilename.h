#pragma once
// `TSelectModiFileFrm`: the small chooser that asks once more for the picture a page chose,
// because the page does not reveal a chosen file's local path. Its button opens a file dialog;
// an existing file in the path box goes to OnGetFile. It frees itself when closed.

#include <QString>
#include <QWidget>
#include <functional>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QFileDialog;

namespace ov::control {

class TSelectModiFileFrm : public QWidget {
    Q_OBJECT
public:
    explicit TSelectModiFileFrm(QWidget* parent = nullptr);

    std::function<void(QObject* sender, const QString& fileName)> OnGetFile;

    QGroupBox* GpSelectFile = nullptr;
    QLabel* Label1 = nullptr;
    QLineEdit* EdtOcrFileName = nullptr;
    QPushButton* Button1 = nullptr;
    QLabel* Label2 = nullptr;
    QFileDialog* OpenDialog1 = nullptr;

private:
    void ChooseClicked();
};

}  // namespace ov::control
