// The batch window's controls: tool bar, task tree, grid, detail pages and pop-up menu.

#include "client/batch/batchgriddelegate.h"
#include "client/batch/batchwindow.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QProgressBar>
#include <QSplitter>
#include <QTabWidget>
#include <QTableWidget>
#include <QTextEdit>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace ov {

namespace {

constexpr int kColumnWidths[8] = {60, 140, 140, 120, 90, 130, 90, 100};

template <class T>
T* Named(T* widget, const QString& name) {
    widget->setObjectName(name);
    return widget;
}

QToolButton* ToolButton(const QString& name, QStyle::StandardPixmap icon, QWidget* parent) {
    auto* b = Named(new QToolButton(parent), name);
    b->setAutoRaise(true);
    b->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    b->setIcon(parent->style()->standardIcon(icon));
    return b;
}

}  // namespace

void TBatchFileDealMainFrm::BuildLayout() {
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Qt::white);
    setPalette(pal);
    setFont(QFont(m_language == HSL_CN ? u"宋体"_s : u"Tahoma"_s, 9));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(BuildToolBar());
    auto* split = new QSplitter(Qt::Horizontal, this);
    BuildTree();
    split->addWidget(m_tree);
    auto* right = new QSplitter(Qt::Vertical, split);
    BuildGrid();
    right->addWidget(m_grid);
    right->addWidget(BuildDetails());
    split->addWidget(right);
    split->setSizes({m_language == HSL_CN ? 200 : 220, 800});
    right->setSizes({300, 220});
    layout->addWidget(split, 1);
    BuildMenu();
}

QWidget* TBatchFileDealMainFrm::BuildToolBar() {
    auto* bar = new QWidget(this);
    auto* row = new QHBoxLayout(bar);
    row->setContentsMargins(4, 2, 4, 2);
    m_start = ToolButton(u"sbStart"_s, QStyle::SP_MediaPlay, this);
    m_pause = ToolButton(u"sbPause"_s, QStyle::SP_MediaPause, this);
    m_del = ToolButton(u"sbDel"_s, QStyle::SP_TrashIcon, this);
    m_startAll = ToolButton(u"sbStartAll"_s, QStyle::SP_MediaSeekForward, this);
    m_stopAll = ToolButton(u"sbStopAll"_s, QStyle::SP_MediaStop, this);
    m_delAll = ToolButton(u"sbDelAll"_s, QStyle::SP_DialogDiscardButton, this);
    for (QToolButton* b : {m_start, m_pause, m_del})
        row->addWidget(b);
    auto* sep = new QFrame(bar);
    sep->setFrameShape(QFrame::VLine);
    row->addWidget(sep);
    for (QToolButton* b : {m_startAll, m_stopAll, m_delAll})
        row->addWidget(b);
    row->addStretch();
    connect(m_start, &QToolButton::clicked, this, [this] { StartClick(); });
    connect(m_pause, &QToolButton::clicked, this, [this] { PauseClick(); });
    connect(m_del, &QToolButton::clicked, this, [this] { DelClick(); });
    connect(m_startAll, &QToolButton::clicked, this, [this] { StartAllClick(); });
    connect(m_stopAll, &QToolButton::clicked, this, [this] { StopAllClick(); });
    connect(m_delAll, &QToolButton::clicked, this, [this] { DelAllClick(); });
    return bar;
}

void TBatchFileDealMainFrm::BuildTree() {
    m_tree = Named(new QTreeWidget(this), u"tvTask"_s);
    m_tree->setHeaderHidden(true);
    m_tree->setEditTriggers(QAbstractItemView::NoEditTriggers);
    for (int root = 0; root < 2; ++root) {
        auto* top = new QTreeWidgetItem(m_tree);
        top->setData(0, Qt::UserRole, 0);
        top->setIcon(0, style()->standardIcon(root == 0 ? QStyle::SP_ArrowUp : QStyle::SP_ArrowDown));
        for (int child = 1; child <= 3; ++child) {
            auto* item = new QTreeWidgetItem(top);
            item->setData(0, Qt::UserRole, root * 3 + child);
            item->setIcon(0, style()->standardIcon(child == 3 ? QStyle::SP_TrashIcon
                                                   : child == 2 ? QStyle::SP_DialogApplyButton
                                                                : QStyle::SP_FileDialogListView));
        }
        top->setExpanded(true);
    }
    connect(m_tree, &QTreeWidget::itemClicked, this, [this](QTreeWidgetItem* item) {
        SelectNode(item->data(0, Qt::UserRole).toInt());
    });
}

void TBatchFileDealMainFrm::BuildGrid() {
    m_grid = Named(new QTableWidget(0, 8, this), u"sgTaskList"_s);
    m_grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_grid->setSelectionMode(QAbstractItemView::SingleSelection);
    m_grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_grid->verticalHeader()->setVisible(false);
    m_grid->verticalHeader()->setDefaultSectionSize(30);
    for (int c = 0; c < 8; ++c)
        m_grid->setColumnWidth(c, kColumnWidths[c]);
    m_grid->setItemDelegate(new TBatchGridDelegate(this, m_grid));
    m_grid->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(m_grid, &QTableWidget::cellClicked, this, [this](int row, int) { SelectRow(row + 1); });
    connect(m_grid, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
        const int row = m_grid->rowAt(at.y());
        if (row >= 0) SelectRow(row + 1);
        m_menu->popup(m_grid->viewport()->mapToGlobal(at));
    });
}

QWidget* TBatchFileDealMainFrm::BuildDetails() {
    m_pages = Named(new QTabWidget(this), u"PageControl1"_s);
    auto* details = Named(new QWidget(m_pages), u"TabSheet1"_s);
    auto* grid = new QGridLayout(details);
    m_lbSt = Named(new QLabel(details), u"lbSt"_s);
    m_fileName = Named(new QLineEdit(details), u"edtFileName"_s);
    m_fileName->setReadOnly(true);
    m_lbSizeInfo2 = Named(new QLabel(details), u"lbSizeInfo2"_s);
    m_lbSizeInfo = Named(new QLabel(details), u"lbSizeInfo"_s);
    m_pbSize = Named(new QProgressBar(details), u"pbSize"_s);
    m_lbNumInfo2 = Named(new QLabel(details), u"lbNumInfo2"_s);
    m_lbNumInfo = Named(new QLabel(details), u"lbNumInfo"_s);
    m_pbCount = Named(new QProgressBar(details), u"pbCount"_s);
    m_lbLog = Named(new QLabel(details), u"lbLog"_s);
    grid->addWidget(m_lbSt, 0, 0, 1, 3);
    grid->addWidget(m_fileName, 1, 0, 1, 3);
    grid->addWidget(m_lbSizeInfo2, 2, 0);
    grid->addWidget(m_lbSizeInfo, 2, 1);
    grid->addWidget(m_pbSize, 2, 2);
    grid->addWidget(m_lbNumInfo2, 3, 0);
    grid->addWidget(m_lbNumInfo, 3, 1);
    grid->addWidget(m_pbCount, 3, 2);
    grid->addWidget(m_lbLog, 4, 0, 1, 3);
    grid->setColumnStretch(2, 1);
    grid->setRowStretch(5, 1);
    m_taskInfo = Named(new QTextEdit(m_pages), u"moTaskInfo"_s);
    m_log = Named(new QTextEdit(m_pages), u"moLog"_s);
    m_errorLog = Named(new QTextEdit(m_pages), u"moErrorLog"_s);
    for (QTextEdit* e : {m_taskInfo, m_log, m_errorLog})
        e->setReadOnly(true);
    m_pages->addTab(details, QString());
    m_pages->addTab(m_taskInfo, QString());
    m_pages->addTab(m_log, QString());
    m_pages->addTab(m_errorLog, QString());
    connect(m_pages, &QTabWidget::currentChanged, this, [this] { ShowDetails(); });
    return m_pages;
}

void TBatchFileDealMainFrm::BuildMenu() {
    m_menu = new QMenu(this);
    m_pmStart = m_menu->addAction(QString(), this, [this] { StartClick(); });
    m_pmPause = m_menu->addAction(QString(), this, [this] { PauseClick(); });
    m_menu->addSeparator();
    m_pmReset = m_menu->addAction(QString(), this, [this] { ResetTaskInfoClick(); });
    m_menu->addSeparator();
    m_pmDel = m_menu->addAction(QString(), this, [this] { DelClick(); });
    m_pmRestart = m_menu->addAction(QString(), this, [this] { RestartClick(); });
    m_pmStart->setObjectName(u"pm_Start"_s);
    m_pmPause->setObjectName(u"pm_Pause"_s);
    m_pmReset->setObjectName(u"pm_ResetTaskInfo"_s);
    m_pmDel->setObjectName(u"pm_Del"_s);
    m_pmRestart->setObjectName(u"pm_Restart"_s);
}

void TBatchFileDealMainFrm::ApplyTexts() {
    const TBatchWindowTexts& t = m_texts;
    int n = 0;
    for (int r = 0; r < m_tree->topLevelItemCount(); ++r) {
        QTreeWidgetItem* top = m_tree->topLevelItem(r);
        top->setText(0, t.TreeNodes.value(n++));
        for (int c = 0; c < top->childCount(); ++c)
            top->child(c)->setText(0, t.TreeNodes.value(n++));
    }
    m_grid->setHorizontalHeaderLabels(t.Columns);
    m_pages->setTabText(0, t.Details);
    m_pages->setTabText(1, t.Conditions);
    m_pages->setTabText(2, t.Log);
    m_pages->setTabText(3, t.Errors);
    m_fileName->setPlaceholderText(t.FileName);
    m_lbSt->setText(t.State);
    m_lbNumInfo2->setText(t.NumInfo);
    m_lbSizeInfo2->setText(t.SizeInfo);
    m_start->setText(t.Start);
    m_pause->setText(t.Pause);
    m_del->setText(t.Delete);
    m_startAll->setText(t.StartAll);
    m_stopAll->setText(t.StopAll);
    m_delAll->setText(t.DeleteAll);
    m_pmStart->setText(t.StartContinue);
    m_pmPause->setText(t.Pause);
    m_pmDel->setText(t.Delete);
    m_pmRestart->setText(t.Restart);
    m_pmReset->setText(t.ModifySettings);
}

}  // namespace ov
