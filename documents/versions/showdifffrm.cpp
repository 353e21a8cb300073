// The comparison window: its two pages, texts, legend and menu, and its server path.

#include "documents/versions/showdifffrm.h"

#include "core/globalconfig.h"
#include "core/robottcpclient.h"
#include "documents/versions/setcheckoutpathfrm.h"
#include "documents/versions/workpath.h"

#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSplitter>
#include <QTreeWidget>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace ov {

TShowDiffFrm::TShowDiffFrm(QWidget* parent) : QDialog(parent) {
    setObjectName(u"ShowDiffFrm"_s);
    setAttribute(Qt::WA_DeleteOnClose);
    FFileRoot = GlobalConfig()->WorkRoot();
    FHS_Lage = Access.Language;
    LoadTexts();
    FormCreate();
}

TShowDiffFrm::~TShowDiffFrm() = default;

void TShowDiffFrm::LoadTexts() {
    const THS_Language l = FHS_Lage;
    WLS_SelPath = LangText(l, u"选择本地路径"_s, u"Select local path"_s);
    WLS_NotSel = LangText(l, u"您未选中任何文件"_s, u"You did not select any file"_s);
    WLS_Hint = LangText(l, u"提示"_s, u"Hint"_s);
    WLS_FileExist = LangText(l, u": 服务器已经存在该文件"_s,
                             u": This file already exists on the server side"_s);
    WLS_UploadOK = LangText(l, u": 上传成功"_s, u": Upload successful"_s);
    WLS_Replace = LangText(l, u"本地存在更新的文件，是否替换？"_s,
                           u"An newer file exists locally. Will you replace it?"_s);
    WLS_GetOK = LangText(l, u": 获取成功"_s, u": Get successful"_s);
    WLS_ReplaceService =
        LangText(l, u"服务器存在更新的文件，是否用本地旧文件替换服务新文件？"_s,
                 u"File server for updates, and whether to replace the old file with the local "
                 u"service of new documents?"_s);
    WLS_NoChecked = LangText(l, u"服务器端没有签出此文件，是否继续上传文件？"_s,
                             u"The server does not check out this document, whether to continue "
                             u"uploading files?"_s);
    WLS_UseCheckin = LangText(l, u"请用使用签入操作签入此文件"_s,
                              u"Please use the \"Check in\" operation to check in this file"_s);
}

void TShowDiffFrm::FormCreate() {
    setFont(QFont(FHS_Lage == HSL_CN ? u"宋体"_s : u"Tahoma"_s, 9));
    setWindowTitle(LangText(FHS_Lage, u"显示差异"_s, u"Differences display"_s));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(CreatePathPage());
    layout->addWidget(CreateComparisonPage(), 1);
    CreateMenu();
    Panel1->hide();
    adjustSize();
}

QWidget* TShowDiffFrm::CreatePathPage() {
    const THS_Language l = FHS_Lage;
    GroupBox1 = new QGroupBox(LangText(l, u" 选择路径 "_s, u" Select path "_s), this);
    GroupBox1->setObjectName(u"GroupBox1"_s);
    auto* server = new QLabel(LangText(l, u"选择路径: "_s, u"Server path: "_s), GroupBox1);
    server->setObjectName(u"Label1"_s);
    LbServerPath = new QLabel(GroupBox1);
    LbServerPath->setObjectName(u"LbServerPath"_s);
    auto* local = new QLabel(LangText(l, u"本地路径: "_s, u"Local path: "_s), GroupBox1);
    local->setObjectName(u"Localpath"_s);
    EdtLocalPath = new QLineEdit(GroupBox1);
    EdtLocalPath->setObjectName(u"EdtLocalPath"_s);
    EdtLocalPath->setMinimumWidth(320);
    BtSelectPath = new QPushButton(LangText(l, u"选择"_s, u"Select"_s), GroupBox1);
    BtSelectPath->setObjectName(u"BtSelectPath"_s);
    BtShowDiff = new QPushButton(LangText(l, u"确定"_s, u"Confirm"_s), GroupBox1);
    BtShowDiff->setObjectName(u"BtShowDiff"_s);
    BtShowDiff->setEnabled(false);
    BtCancel = new QPushButton(LangText(l, u"取消"_s, u"Cancel"_s), GroupBox1);
    BtCancel->setObjectName(u"BtCancel"_s);
    auto* grid = new QGridLayout(GroupBox1);
    grid->addWidget(server, 0, 0);
    grid->addWidget(LbServerPath, 0, 1, 1, 2);
    grid->addWidget(local, 1, 0);
    grid->addWidget(EdtLocalPath, 1, 1);
    grid->addWidget(BtSelectPath, 1, 2);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(BtShowDiff);
    buttons->addWidget(BtCancel);
    grid->addLayout(buttons, 2, 0, 1, 3);
    connect(BtSelectPath, &QPushButton::clicked, this, &TShowDiffFrm::BtSelectPathClick);
    connect(BtShowDiff, &QPushButton::clicked, this, &TShowDiffFrm::BtShowDiffClick);
    connect(BtCancel, &QPushButton::clicked, this, &QDialog::close);
    return GroupBox1;
}

QWidget* TShowDiffFrm::CreateLegend() {
    const THS_Language l = FHS_Lage;
    Panel5 = new QWidget(this);
    Panel5->setObjectName(u"Panel5"_s);
    auto* legend = new QGridLayout(Panel5);
    legend->setContentsMargins(0, 0, 0, 0);
    const struct {
        QLabel** label;
        const char16_t* name;
        TDiffState state;
        QString text;
    } entries[] = {
        {&Label4, u"Label4", DS_Same,
         LangText(l, u"黑色表示服务器与本地文件一样"_s,
                  u"Black: server file exists same as local."_s)},
        {&Label5, u"Label5", DS_ServerOnly,
         LangText(l, u"红色表示服务器有而本地没有的文件"_s, u"Red: local not exist this file."_s)},
        {&Label8, u"Label8", DS_ServerNewer,
         LangText(l, u"蓝色表示服务器的文件比本地的新"_s, u"Blue: server is newer than local."_s)},
        {&Label7, u"Label7", DS_LocalOnly,
         LangText(l, u"绿色表示本地有而服务器没有的文件"_s, u"Green: not exist on the server."_s)},
        {&Label6, u"Label6", DS_LocalNewer,
         LangText(l, u"橘黄色表示本地的文件比服务器新"_s,
                  u"Orange: local is newer than server."_s)},
    };
    int i = 0;
    for (const auto& e : entries) {
        *e.label = new QLabel(e.text, Panel5);
        (*e.label)->setObjectName(QString::fromUtf16(e.name));
        QPalette p = (*e.label)->palette();
        p.setColor(QPalette::WindowText, StateColor(e.state));
        (*e.label)->setPalette(p);
        legend->addWidget(*e.label, i % 3, i / 3);
        ++i;
    }
    return Panel5;
}

QWidget* TShowDiffFrm::CreateComparisonPage() {
    Panel1 = new QWidget(this);
    Panel1->setObjectName(u"Panel1"_s);
    Label2 = new QLabel(Panel1);
    Label2->setObjectName(u"Label2"_s);
    Label3 = new QLabel(Panel1);
    Label3->setObjectName(u"Label3"_s);
    auto* paths = new QHBoxLayout;
    paths->addWidget(Label2, 1);
    paths->addWidget(Label3, 1);
    LVServerFiles = new QTreeWidget(Panel1);
    LVServerFiles->setObjectName(u"LVServerFiles"_s);
    LVLocalFiles = new QTreeWidget(Panel1);
    LVLocalFiles->setObjectName(u"LVLocalFiles"_s);
    const THS_Language l = FHS_Lage;
    LVServerFiles->setHeaderLabels(
        {LangText(l, u"文件名"_s, u"File name"_s), LangText(l, u"签出用户"_s, u"check out user"_s),
         LangText(l, u"修改时间"_s, u"Modify time"_s), u"Id"_s, u"DrawType"_s});
    LVLocalFiles->setHeaderLabels({LangText(l, u"文件名"_s, u"File name"_s),
                                   LangText(l, u"修改时间"_s, u"Modify time"_s), u"DrawType"_s});
    for (QTreeWidget* list : {LVServerFiles, LVLocalFiles}) {
        list->setRootIsDecorated(false);
        list->setSelectionMode(QAbstractItemView::ExtendedSelection);
        list->setEditTriggers(QAbstractItemView::NoEditTriggers);
        list->setContextMenuPolicy(Qt::CustomContextMenu);
        list->setUniformRowHeights(true);
        list->installEventFilter(this);
        connect(list, &QWidget::customContextMenuRequested, this, [this, list](const QPoint& at) {
            PmOperate->popup(list->viewport()->mapToGlobal(at));
        });
    }
    LVServerFiles->setMinimumWidth(409);
    Splitter1 = new QSplitter(Panel1);
    Splitter1->setObjectName(u"Splitter1"_s);
    Splitter1->addWidget(LVServerFiles);
    Splitter1->addWidget(LVLocalFiles);
    MemoHint = new QPlainTextEdit(Panel1);
    MemoHint->setObjectName(u"MemoHint"_s);
    MemoHint->setReadOnly(true);
    MemoHint->setMaximumHeight(90);
    auto* page = new QVBoxLayout(Panel1);
    page->setContentsMargins(0, 0, 0, 0);
    page->addWidget(CreateLegend());
    page->addLayout(paths);
    page->addWidget(Splitter1, 1);
    page->addWidget(MemoHint);
    HideScrollBars();
    return Panel1;
}

void TShowDiffFrm::CreateMenu() {
    const THS_Language l = FHS_Lage;
    PmOperate = new QMenu(this);
    PmOperate->setObjectName(u"PmOperate"_s);
    const auto add = [&](const QString& name, const QString& cn, const QString& en) {
        QAction* action = PmOperate->addAction(LangText(l, cn, en));
        action->setObjectName(name);
        return action;
    };
    N1 = add(u"N1"_s, u"上传"_s, u"Upload"_s);
    N2 = add(u"N2"_s, u"获取最新版本"_s, u"Get the latest version"_s);
    N3 = add(u"N3"_s, u"签出"_s, u"Check out"_s);
    N4 = add(u"N4"_s, u"签入"_s, u"Check in"_s);
    N5 = add(u"N5"_s, u"取消签出"_s, u"Cancel check out"_s);
    PmOperate->addSeparator()->setObjectName(u"N6"_s);
    N7 = add(u"N7"_s, u"只显示不同文件"_s, u"Show difference"_s);
    N8 = add(u"N8"_s, u"显示全部文件"_s, u"Show all"_s);
    N8->setEnabled(false);
    connect(N1, &QAction::triggered, this, &TShowDiffFrm::UploadSelected);
    connect(N2, &QAction::triggered, this, &TShowDiffFrm::LatestSelected);
    connect(N3, &QAction::triggered, this, [this] { VersionAction(3); });
    connect(N4, &QAction::triggered, this, [this] { VersionAction(4); });
    connect(N5, &QAction::triggered, this, [this] { VersionAction(5); });
    connect(N7, &QAction::triggered, this, &TShowDiffFrm::ShowDifferences);
    connect(N8, &QAction::triggered, this, &TShowDiffFrm::ShowAll);
}

void TShowDiffFrm::Init(std::int32_t OwnerId, std::int64_t FolderId, const QString& IniFilePath) {
    FOwnerId = OwnerId;
    FFolderId = FolderId;
    const QString id = QString::number(FolderId);
    if (FFolderIdList.isEmpty() || FFolderIdList.first() != id) FFolderIdList.prepend(id);
    FIniFilePath = IniFilePath;
    const TServerAccess access = Access;
    m_calls.Run<QString>(
        [access, FolderId] { return access.NewClient()->GetServerPath(FolderId, true); },
        [this](const QString& reply, const QString& error) {
            if (!error.isEmpty()) Log(error);
            ShowResolved(reply);
        });
}

void TShowDiffFrm::ShowResolved(const QString& reply) {
    const TServerPath path = ReadServerPath(reply);
    LbServerPath->setText(path.PathStr);
    QString local = GetMappedWorkPath(reply, FIniFilePath);
    if (local.isEmpty()) local = FolderBelowRoot(FFileRoot, path.PathStr);
    EdtLocalPath->setText(local.isEmpty() ? FFileRoot : local);
    Label2->setText(LbServerPath->text());
    Label3->setText(EdtLocalPath->text());
    BtShowDiff->setEnabled(true);
    emit ready();
}

void TShowDiffFrm::BtSelectPathClick() {
    const QString start =
        QFileInfo(EdtLocalPath->text()).isDir() ? EdtLocalPath->text() : QString();
    const QString folder = Ui.PickFolder(this, WLS_SelPath, start);
    if (!folder.isEmpty()) EdtLocalPath->setText(folder.endsWith(u'/') ? folder : folder + u'/');
    raise();
    activateWindow();
}

void TShowDiffFrm::BtShowDiffClick() {
    GroupBox1->hide();
    Panel1->show();
    setSizeGripEnabled(true);
    resize(840, 660);
    Label2->setText(LbServerPath->text());
    Label3->setText(EdtLocalPath->text());
    QMetaObject::invokeMethod(this, &TShowDiffFrm::Refresh, Qt::QueuedConnection);
}

void TShowDiffFrm::AddVersionLog(const QString& name, const QString& text) {
    Log(name + u": "_s + text);
}

void TShowDiffFrm::ReloadLists() {
    QMetaObject::invokeMethod(this, &TShowDiffFrm::Refresh, Qt::QueuedConnection);
}

void TShowDiffFrm::Log(const QString& line) {
    MemoHint->appendPlainText(line);
}

}  // namespace ov
