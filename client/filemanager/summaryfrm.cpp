#include "client/filemanager/summaryfrm.h"

#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "client/filemanager/formstyle.h"

using namespace Qt::StringLiterals;

namespace ov {

TFrmSummary::TFrmSummary(THS_Language language, QWidget* parent) : QDialog(parent) {
    setObjectName(u"FrmSummary"_s);
    const bool cn = language == HSL_CN;
    setWindowTitle(cn ? u"文件摘要"_s : u"File Summary"_s);
    mmoSummary = Named(new QPlainTextEdit(this), u"mmoSummary"_s);
    btnModify = Named(new QPushButton(cn ? u"修改"_s : u"Modify"_s, this), u"btnModify"_s);
    btnCancel = Named(new QPushButton(cn ? u"关闭"_s : u"Close"_s, this), u"btnCancel"_s);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(btnModify);
    buttons->addWidget(btnCancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(mmoSummary, 1);
    layout->addLayout(buttons);
    resize(420, 300);
    connect(btnModify, &QPushButton::clicked, this, &QDialog::accept);
    connect(btnCancel, &QPushButton::clicked, this, &QDialog::reject);
}

void TFrmSummary::SetText(const QString& text) {
    mmoSummary->setPlainText(text);
}

QString TFrmSummary::Text() const {
    return mmoSummary->toPlainText();
}

}  // namespace ov
