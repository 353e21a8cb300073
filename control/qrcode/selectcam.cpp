#include "control/qrcode/selectcam.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QPushButton>

using namespace Qt::StringLiterals;

namespace ov::control {

TSelectCamFrm::TSelectCamFrm(const QStringList& devices, QWidget* parent) : QDialog(parent) {
    setObjectName(u"SelectCamFrm"_s);
    setWindowTitle(u"选择设备"_s);
    setWindowFlag(Qt::FramelessWindowHint);
    setFont(QFont(u"宋体"_s, 9));
    ComboBox1 = new QComboBox(this);
    ComboBox1->setObjectName(u"ComboBox1"_s);
    ComboBox1->addItems(devices);
    ComboBox1->setCurrentIndex(devices.isEmpty() ? -1 : 0);
    ComboBox1->setMinimumWidth(240);
    Button1 = new QPushButton(u"选择"_s, this);
    Button1->setObjectName(u"Button1"_s);
    auto* row = new QHBoxLayout(this);
    row->addWidget(ComboBox1, 1);
    row->addWidget(Button1);
    connect(Button1, &QPushButton::clicked, this, &TSelectCamFrm::ChooseClicked);
}

void TSelectCamFrm::ChooseClicked() {
    if (ComboBox1->currentIndex() >= 0) DeviceName = ComboBox1->currentText();
    accept();
}

}  // namespace ov::control
