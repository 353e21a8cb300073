#include "documents/cad/axedselect.h"

#include <QCheckBox>
#include <QPushButton>
#include <QRadioButton>
#include <QShowEvent>
#include <QStringList>

using namespace Qt::StringLiterals;

namespace ov {

TAxEdSelectFrm::TAxEdSelectFrm(QWidget* owner, THS_Language language) : QDialog(owner) {
    setFixedSize(382, 203);
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, pal.color(QPalette::Base));
    setPalette(pal);

    rbAV = new QRadioButton(this);
    rbED = new QRadioButton(this);
    rbCaxa = new QRadioButton(this);
    chbAlways = new QCheckBox(this);
    btnNext = new QPushButton(this);
    rbAV->setObjectName(u"rbAV"_s);
    rbED->setObjectName(u"rbED"_s);
    rbCaxa->setObjectName(u"rbCaxa"_s);
    chbAlways->setObjectName(u"chbAlways"_s);
    btnNext->setObjectName(u"Button1"_s);
    int top = 24;
    for (QRadioButton* rb : {rbAV, rbED, rbCaxa}) {
        rb->setGeometry(32, top, 330, 20);
        rb->hide();
        top += 30;
    }
    chbAlways->setGeometry(32, 124, 330, 20);
    btnNext->setGeometry(272, 160, 90, 28);
    btnNext->setDefault(true);
    connect(btnNext, &QPushButton::clicked, this, &TAxEdSelectFrm::btnNextClick);
    setTexts(language);
}

void TAxEdSelectFrm::setTexts(THS_Language language) {
    const bool cn = language == HSL_CN;
    setFont(cn ? QFont(u"宋体"_s, 9) : QFont(u"Tahoma"_s, 9));
    setWindowTitle(cn ? u"选择预览控件"_s : u"Select the Preview controls"_s);
    rbAV->setText(cn ? u"使用AutoVue预览"_s : u"Use AutoVue Preview"_s);
    rbED->setText(cn ? u"使用SolidWorks eDrawings Viewer预览"_s
                     : u"Use SolidWorks eDrawings Viewer Preview"_s);
    rbCaxa->setText(u"使用Caxa预览"_s);
    chbAlways->setText(cn ? u"总是用此软件打开文件"_s
                          : u"Always use this software to open the file"_s);
    btnNext->setText(cn ? u"下一步"_s : u"Next"_s);
}

void TAxEdSelectFrm::btnNextClick() {
    if (rbAV->isChecked()) Style = 1;
    if (rbED->isChecked()) Style = 3;
    if (rbCaxa->isChecked()) Style = 4;
    IsAlwaysOpenStyle = chbAlways->isChecked();
    accept();
}

void TAxEdSelectFrm::showEvent(QShowEvent* event) {
    if (QWidget* owner = parentWidget()) {
        const QRect frame = owner->window()->frameGeometry();
        move(frame.center() - QPoint(width() / 2, height() / 2));
    }
    QDialog::showEvent(event);
}

QString EngineeringViewerInstallText(THS_Language language) {
    if (language == HSL_CN)
        return QStringList{u"工程图预览请安装--"_s, QString(),
                           u"SolidWorks eDrawings Viewer(免费软件)，支持AutoCAD, SolidWorks, "
                           u"Pro/ENGINEER 等文件格式. "_s,
                           QString(), u"AutoVue(付费软件)，支持超过 400 种以上的2D/3D文件格式."_s}
            .join(u"\r\n"_s);
    return QStringList{u"Please install to review engineering drawing. "_s,
                       u"SolidWorks eDrawings Viewer, it is free software, Supported file formats: "
                       u"AutoCAD file, SolidWorks file, Pro/ENGINEER file."_s,
                       u"AutoVue -- it is paid software, Support more than 400 more than the 2D/3D "
                       u"file formats. "_s}
        .join(u"\r\n"_s);
}

}  // namespace ov
