#include "documents/versions/hintfrmxe.h"

#include "core/datetime.h"
#include "core/globalconfig.h"
#include "documents/versions/titlebar.h"
#include "documents/versions/versionui.h"

#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace ov {

THintFrmXe::THintFrmXe(QWidget* parent) : THintFrmXe(GlobalConfig()->SysLanguage(), parent) {}

THintFrmXe::THintFrmXe(THS_Language language, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint) {
    setObjectName(u"HintFrmXe"_s);
    FormCreate(language);
}

void THintFrmXe::FormCreate(THS_Language language) {
    FHS_Languag = language;
    const bool cn = language == HSL_CN;
    setFont(QFont(cn ? u"宋体"_s : u"Arial"_s, 9));
    setWindowTitle(
        LangText(language, u"版本控制状态监控"_s, u"Version control status monitoring"_s));
    resize(651, 505);
    Image1 = new TTitleBar(u"Image1"_s, u"Image3"_s, this);
    Image1->Title->setObjectName(u"Label2"_s);
    Image1->Title->setText(
        LangText(language, u"版本控制操作记录"_s, u"Operation records of version control"_s));
    Image1->MinimiseButton->setObjectName(u"Image9"_s);
    Image1->MinimiseButton->show();
    FLabel1Text = Image1->Title->text() + LangText(language, u"："_s, u":"_s);
    Label1 = new QLabel(FLabel1Text, this);
    Label1->setObjectName(u"Label1"_s);
    ListView1 = new QTreeWidget(this);
    ListView1->setObjectName(u"ListView1"_s);
    ListView1->setRootIsDecorated(false);
    ListView1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    ListView1->setHeaderLabels({LangText(language, u"文件名"_s, u"Filename"_s),
                                LangText(language, u"提示信息"_s, u"Hint"_s),
                                LangText(language, u"时间"_s, u"Datetime"_s)});
    ListView1->setColumnWidth(0, 254);
    ListView1->setColumnWidth(1, 210);
    ListView1->setColumnWidth(2, 150);
    ListView1->setStyleSheet(u"QTreeView::item { border: 1px solid #d0d0d0; }"_s);
    Image8 = new QPushButton(LangText(language, u"关闭"_s, u"Close"_s), this);
    Image8->setObjectName(u"Image8"_s);
    auto* body = new QVBoxLayout;
    body->setContentsMargins(8, 6, 8, 8);
    body->addWidget(Label1);
    body->addWidget(ListView1, 1);
    body->addWidget(Image8, 0, Qt::AlignRight);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(1, 1, 1, 1);
    layout->setSpacing(0);
    layout->addWidget(Image1);
    layout->addLayout(body, 1);
    connect(Image1, &TTitleBar::closeClicked, this, &QWidget::hide);
    connect(Image8, &QPushButton::clicked, this, &QWidget::hide);
    connect(Image1, &TTitleBar::minimiseClicked, this, &QWidget::showMinimized);
}

void THintFrmXe::AddLog(const QString& FileName, const QString& HintInfo) {
    auto* row = new QTreeWidgetItem(ListView1);
    row->setText(0, FileName);
    row->setText(1, HintInfo);
    row->setText(2, DateTimeToText(Now()));
    ListView1->scrollToItem(row);
}

void THintFrmXe::AddVersionLog(const QString& name, const QString& text) {
    AddLog(name, text);
}

void THintFrmXe::TransferProgress(const QString& name, qint64 all, qint64 done) {
    if (all <= 0 || done >= all) {
        Label1->setText(FLabel1Text);
        return;
    }
    Label1->setText(FLabel1Text + u"  "_s + name + u"  "_s + QString::number(done * 100 / all) +
                    u'%');
}

void THintFrmXe::centreOnParent() {
    const QWidget* main = parentWidget() ? parentWidget()->window() : nullptr;
    const QRect area = main && main->isVisible()
                           ? main->frameGeometry()
                           : (screen() ? screen()->availableGeometry() : QRect());
    if (area.isValid()) move(area.center() - rect().center());
}

void THintFrmXe::ShowInFront() {
    if (!isVisible()) centreOnParent();
    showNormal();
    raise();
    activateWindow();
    if (ListView1->topLevelItemCount() > 0)
        ListView1->scrollToItem(ListView1->topLevelItem(ListView1->topLevelItemCount() - 1));
}

int THintFrmXe::RowCount() const {
    return ListView1->topLevelItemCount();
}

QString THintFrmXe::RowText(int row, int column) const {
    const QTreeWidgetItem* item = ListView1->topLevelItem(row);
    return item ? item->text(column) : QString();
}

}  // namespace ov
