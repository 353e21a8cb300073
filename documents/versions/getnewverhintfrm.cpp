#include "documents/versions/getnewverhintfrm.h"

#include "documents/versions/titlebar.h"
#include "documents/versions/versionui.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace ov {

TGetNewVerHintFrm::TGetNewVerHintFrm(THS_Language language, QWidget* parent)
    : QDialog(parent), FHS_Languag(language) {
    setObjectName(u"GetNewVerHintFrm"_s);
    MakeBorderless(this);
    setFont(QFont(language == HSL_CN ? u"宋体"_s : u"Arial"_s, 9));
    setWindowTitle(LangText(language, u"提示"_s, u"Hint"_s));
    setFixedSize(373, 149);
    Image1 = new TTitleBar(u"Image1"_s, u"Image3"_s, this);
    Image1->Title->setObjectName(u"lbTitle"_s);
    Image1->Title->setText(LangText(language, u"获取最新版本提示"_s, u"Get the latest version"_s));
    auto* name = new QLabel(LangText(language, u"文件名："_s, u"File name:"_s), this);
    name->setObjectName(u"Label1"_s);
    FileNameLabel = new QLabel(this);
    FileNameLabel->setObjectName(u"FileNameLabel"_s);
    FileNameLabel->setWordWrap(true);
    Label3 = new QLabel(LangText(language, u"本地存在更新的版本，是否覆盖？"_s,
                                 u"An newer file exists locally. Will you replace it?"_s),
                        this);
    Label3->setObjectName(u"Label3"_s);
    Label2 = new QPushButton(LangText(language, u"确定"_s, u"Confirm"_s), this);
    Label2->setObjectName(u"Label2"_s);
    Label4 = new QPushButton(LangText(language, u"全部"_s, u"All"_s), this);
    Label4->setObjectName(u"Label4"_s);
    Label5 = new QPushButton(LangText(language, u"取消"_s, u"Cancel"_s), this);
    Label5->setObjectName(u"Label5"_s);
    auto* grid = new QGridLayout;
    grid->addWidget(name, 0, 0);
    grid->addWidget(FileNameLabel, 0, 1);
    grid->addWidget(Label3, 1, 0, 1, 2);
    grid->setColumnStretch(1, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(Label2);
    buttons->addWidget(Label4);
    buttons->addWidget(Label5);
    buttons->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(1, 1, 1, 8);
    layout->addWidget(Image1);
    layout->addLayout(grid);
    layout->addLayout(buttons);
    connect(Label2, &QPushButton::clicked, this, [this] { Answer(u"ok"_s); });
    connect(Label4, &QPushButton::clicked, this, [this] { Answer(u"all"_s); });
    connect(Label5, &QPushButton::clicked, this, [this] { Answer(u"cancel"_s); });
    connect(Image1, &TTitleBar::closeClicked, this, &QDialog::reject);
}

void TGetNewVerHintFrm::SetFileName(const QString& FileName) {
    FileNameLabel->setText(FileName);
}

void TGetNewVerHintFrm::Answer(const QString& type) {
    FReplaceType = type;
    accept();
}

}  // namespace ov
