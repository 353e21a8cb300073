#include "control/ocr/modiselectfilename.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace ov::control {

TSelectModiFileFrm::TSelectModiFileFrm(QWidget* parent) : QWidget(parent) {
    setObjectName(u"SelectModiFileFrm"_s);
    setAttribute(Qt::WA_DeleteOnClose);
    setFont(QFont(u"宋体"_s, 9));
    GpSelectFile = new QGroupBox(u"  选择文件 "_s, this);
    GpSelectFile->setObjectName(u"GpSelectFile"_s);
    Label1 = new QLabel(u"文件路径："_s);
    Label1->setObjectName(u"Label1"_s);
    EdtOcrFileName = new QLineEdit;
    EdtOcrFileName->setObjectName(u"EdtOcrFileName"_s);
    Button1 = new QPushButton(u"选择"_s);
    Button1->setObjectName(u"Button1"_s);
    Label2 = new QLabel(u"* 由于IE安全原因，无法得到网页选择文件的名称，请重新选择一次文件。"_s);
    Label2->setObjectName(u"Label2"_s);
    Label2->setWordWrap(true);
    Label2->setStyleSheet(u"color: maroon"_s);
    OpenDialog1 = new QFileDialog(this);
    OpenDialog1->setObjectName(u"OpenDialog1"_s);
    OpenDialog1->setFileMode(QFileDialog::ExistingFile);
    auto* grid = new QGridLayout(GpSelectFile);
    grid->addWidget(Label1, 0, 0);
    grid->addWidget(EdtOcrFileName, 0, 1);
    grid->addWidget(Button1, 0, 2);
    grid->addWidget(Label2, 1, 0, 1, 3);
    (new QVBoxLayout(this))->addWidget(GpSelectFile);
    connect(Button1, &QPushButton::clicked, this, &TSelectModiFileFrm::ChooseClicked);
}

void TSelectModiFileFrm::ChooseClicked() {
    if (OpenDialog1->exec() == QDialog::Accepted && !OpenDialog1->selectedFiles().isEmpty())
        EdtOcrFileName->setText(OpenDialog1->selectedFiles().first());
    const QString chosen = EdtOcrFileName->text();
    if (OnGetFile && QFileInfo(chosen).isFile()) OnGetFile(this, chosen);
}

}  // namespace ov::control
