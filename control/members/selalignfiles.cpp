#include "control/members/selalignfiles.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace ov::control {

namespace {

QPushButton* newButton(const QString& name, QWidget* parent) {
    auto* button = new QPushButton(parent);
    button->setObjectName(name);
    return button;
}

}  // namespace

TFrmAlignFiles::TFrmAlignFiles(QWidget* owner) : QDialog(owner) {
    setObjectName(u"FrmAlignFiles"_s);
    setFont(QFont(u"Tahoma"_s, 8));
    resize(400, 278);
    lblFile = new QLabel(this);
    lblFile->setObjectName(u"lblFile"_s);
    lblFile->setWordWrap(true);
    lbxAlignFiles = new QListWidget(this);
    lbxAlignFiles->setObjectName(u"lbxAlignFiles"_s);
    QFont listFont(u"Tahoma"_s);
    listFont.setPointSizeF(10.5);
    lbxAlignFiles->setFont(listFont);
    lbxAlignFiles->setStyleSheet(u"QListWidget::item { height: 17px; }"_s);
    Panel1 = new QWidget(this);
    Panel1->setObjectName(u"Panel1"_s);
    btnSelAll = newButton(u"btnSelAll"_s, Panel1);
    btnSelInvert = newButton(u"btnSelInvert"_s, Panel1);
    btnConfirm = newButton(u"btnConfirm"_s, Panel1);
    btnCancel = newButton(u"btnCancel"_s, Panel1);
    btnConfirm->setDefault(true);
    auto* buttons = new QHBoxLayout(Panel1);
    buttons->addWidget(btnSelAll);
    buttons->addWidget(btnSelInvert);
    buttons->addStretch(1);
    buttons->addWidget(btnConfirm);
    buttons->addWidget(btnCancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lblFile);
    layout->addWidget(lbxAlignFiles, 1);
    layout->addWidget(Panel1);
    connect(btnSelAll, &QPushButton::clicked, this, [this] { SetAllTicks(false); });
    connect(btnSelInvert, &QPushButton::clicked, this, [this] { SetAllTicks(true); });
    connect(btnConfirm, &QPushButton::clicked, this, &QDialog::accept);
    connect(btnCancel, &QPushButton::clicked, this, &QDialog::reject);
}

void TFrmAlignFiles::SetLanguage(THS_Language ALanguage) {
    FLanguage = ALanguage;
    const bool cn = ALanguage == HSL_CN;
    setWindowTitle(cn ? u"选择关联文件"_s : u"Select aligned files"_s);
    lblFile->setText((cn ? u"请选择\"%s\"的关联文件: "_s : u"Please select aligned files of %s"_s)
                         .replace(u"%s"_s, FFileName));
    btnConfirm->setText(cn ? u"确定"_s : u"Confirm"_s);
    btnCancel->setText(cn ? u"取消"_s : u"Cancel"_s);
    btnSelAll->setText(cn ? u"全选"_s : u"Select All"_s);
    btnSelInvert->setText(cn ? u"反选"_s : u"Invert"_s);
}

void TFrmAlignFiles::InitItems(const QStringList* AFileList) {
    lbxAlignFiles->clear();
    if (!AFileList) return;
    for (const QString& item : *AFileList) {
        auto* entry = new QListWidgetItem(ItemValue(item), lbxAlignFiles);
        entry->setFlags(entry->flags() | Qt::ItemIsUserCheckable);
        entry->setCheckState(Qt::Unchecked);
    }
}

void TFrmAlignFiles::GetCheckedItems(QStringList& AFileList) const {
    for (qsizetype i = AFileList.size() - 1; i >= 0; --i) {
        const QListWidgetItem* entry = lbxAlignFiles->item(int(i));
        if (!entry || entry->checkState() != Qt::Checked) AFileList.removeAt(i);
    }
}

void TFrmAlignFiles::SetAllTicks(bool invert) {
    for (int i = 0; i < lbxAlignFiles->count(); ++i) {
        QListWidgetItem* entry = lbxAlignFiles->item(i);
        const bool tick = invert ? entry->checkState() != Qt::Checked : true;
        entry->setCheckState(tick ? Qt::Checked : Qt::Unchecked);
    }
}

QString ItemValue(const QString& item) {
    const qsizetype at = item.indexOf(u'=');
    return at < 0 ? QString() : item.mid(at + 1);
}

QString ItemName(const QString& item) {
    const qsizetype at = item.indexOf(u'=');
    return at < 0 ? item : item.left(at);
}

}  // namespace ov::control
