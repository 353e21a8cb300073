#pragma once
// `TSelectCamFrm`: the modal chooser of one camera among several ("选择设备").

#include <QDialog>
#include <QStringList>

class QComboBox;
class QPushButton;

namespace ov::control {

class TSelectCamFrm : public QDialog {
    Q_OBJECT
public:
    explicit TSelectCamFrm(const QStringList& devices, QWidget* parent = nullptr);

    QComboBox* ComboBox1 = nullptr;
    QPushButton* Button1 = nullptr;
    QString DeviceName;  // the chosen camera; "" when closed without a choice

private:
    void ChooseClicked();
};

}  // namespace ov::control
