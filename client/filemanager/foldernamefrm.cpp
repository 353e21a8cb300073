#include "client/filemanager/foldernamefrm.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>

#include "client/filemanager/formstyle.h"

using namespace Qt::StringLiterals;

namespace ov {

TSetFoldrNameFrm::TSetFoldrNameFrm(THS_Language language, QWidget* parent) : QDialog(parent) {
    setObjectName(u"SetFoldrNameFrm"_s);
    const bool cn = language == HSL_CN;
    WLS_Caption = cn ? u"请输入文件夹名称"_s : u"Input Folder Name"_s;
    WLS_Hint = cn ? u"提示"_s : u"Hint"_s;
    setWindowTitle(WLS_Caption);
    Label1 = Named(new QLabel(cn ? u"名称："_s : u"Folder:"_s, this), u"Label1"_s);
    edtFolderName = Named(new QLineEdit(this), u"edtFolderName"_s);
    edtFolderName->setMaxLength(255);
    Button1 = Named(new QPushButton(cn ? u"确定"_s : u"Confirm"_s, this), u"Button1"_s);
    Button2 = Named(new QPushButton(cn ? u"取消"_s : u"Cancel"_s, this), u"Button2"_s);
    auto* row = new QHBoxLayout;
    row->addWidget(Label1);
    row->addWidget(edtFolderName, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(Button1);
    buttons->addWidget(Button2);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(row);
    layout->addLayout(buttons);
    if (!cn) ApplyFormFont(this, language);
    connect(Button1, &QPushButton::clicked, this, [this] { Button1Click(); });
    connect(Button2, &QPushButton::clicked, this, &QDialog::reject);
}

QString TSetFoldrNameFrm::FolderName() const {
    return edtFolderName->text();
}

void TSetFoldrNameFrm::Button1Click() {
    if (edtFolderName->text().isEmpty()) {
        QMessageBox::information(this, WLS_Hint, WLS_Caption, QMessageBox::Ok);
        return;
    }
    IsResultOk = 1;
    accept();
}

}  // namespace ov
