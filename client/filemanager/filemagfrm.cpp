#include "client/filemanager/filemagfrm.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "client/filemanager/fileicons.h"
#include "client/filemanager/formstyle.h"
#include "client/filemanager/showfiles.h"
#include "client/filemanager/summaryfrm.h"
#include "core/globalconfig.h"
#include "core/paths.h"

using namespace Qt::StringLiterals;

namespace ov {

TFileMagFrm::TFileMagFrm(QWidget* parent)
    : QWidget(parent), FHS_Language(GlobalConfig()->SysLanguage()) {
    setObjectName(u"FileMagFrm"_s);
    FAppPath = GlobalConfig()->ConfigPath();
    BuildForm();
    LoadTexts();
    SummaryFrm = new TFrmSummary(FHS_Language, this);
}

TFileMagFrm::~TFileMagFrm() = default;

void TFileMagFrm::BuildForm() {
    BuildToolBar();
    OrgTree = Named(new QTreeWidget(this), u"OrgTree"_s);
    FolderTree = Named(new QTreeWidget(this), u"FolderTree"_s);
    for (QTreeWidget* tree : {OrgTree, FolderTree}) tree->setHeaderHidden(true);
    OrgTree->setExpandsOnDoubleClick(false);
    auto* trees = new QWidget(this);
    auto* stack = new QVBoxLayout(trees);  // one of the two is visible at a time
    stack->setContentsMargins(0, 0, 0, 0);
    stack->addWidget(OrgTree);
    stack->addWidget(FolderTree);
    FolderTree->hide();
    trees->setFixedWidth(220);

    FsList = Named(new QTreeWidget(this), u"FsList"_s);
    FsList->setColumnCount(FC_Count);
    FsList->setRootIsDecorated(false);
    FsList->setSelectionMode(QAbstractItemView::ExtendedSelection);
    FsList->setSelectionBehavior(QAbstractItemView::SelectRows);
    FsList->setColumnHidden(FC_Id, true);
    FsList->setColumnHidden(FC_IsFolder, true);
    FsList->setColumnWidth(FC_Name, 260);
    FsList->setAcceptDrops(true);
    FsList->viewport()->setAcceptDrops(true);
    FsList->viewport()->installEventFilter(this);
    FsList->header()->setSectionsClickable(true);
    chbAllFile = Named(new QCheckBox(this), u"chbAllFile"_s);
    plWait = Named(new QWidget(FsList), u"plWait"_s);
    Label2 = Named(new QLabel(plWait), u"Label2"_s);
    (new QHBoxLayout(plWait))->addWidget(Label2);
    plWait->setStyleSheet(u"background: #fff8d0; border: 1px solid #c0a000"_s);
    plWait->hide();

    auto* right = new QVBoxLayout;
    right->setContentsMargins(0, 0, 0, 0);
    right->addWidget(chbAllFile);
    right->addWidget(FsList, 1);
    auto* body = new QHBoxLayout;
    body->addWidget(trees);
    body->addLayout(right, 1);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(Panel3);
    layout->addLayout(body, 1);
    BuildMenus();

    connect(OrgTree, &QTreeWidget::itemClicked, this,
            [this](QTreeWidgetItem* node, int column) { OrgTreeClick(node, column); });
    connect(FolderTree, &QTreeWidget::currentItemChanged, this,
            [this](QTreeWidgetItem* node) { FolderTreeChange(node); });
    connect(FsList, &QTreeWidget::itemSelectionChanged, this, [this] { ListSelectionChanged(); });
    connect(FsList->header(), &QHeaderView::sectionClicked, this,
            [this](int column) { SortByColumn(column); });
    connect(chbAllFile, &QCheckBox::clicked, this, [this](bool on) {
        for (int i = 0; i < FsList->topLevelItemCount(); ++i)
            FsList->topLevelItem(i)->setCheckState(FC_Name, on ? Qt::Checked : Qt::Unchecked);
    });
}

void TFileMagFrm::BuildToolBar() {
    Panel3 = Named(new QWidget(this), u"Panel3"_s);
    auto* bar = new QHBoxLayout(Panel3);
    bar->setContentsMargins(0, 0, 0, 0);
    auto button = [this, bar](const QString& name, void (TFileMagFrm::*slot)(), bool separator) {
        auto* b = Named(new QToolButton(Panel3), name);
        b->setAutoRaise(true);
        bar->addWidget(b);
        if (separator) {
            auto* line = new QFrame(Panel3);
            line->setFrameShape(QFrame::VLine);
            bar->addWidget(line);
        }
        connect(b, &QToolButton::clicked, this, slot);
        return b;
    };
    sbtReload = button(u"sbtReload"_s, &TFileMagFrm::sbtReloadClick, true);
    sbNewFolder = button(u"sbNewFolder"_s, &TFileMagFrm::NewFolderClick, true);
    sbUpload = button(u"sbUpload"_s, &TFileMagFrm::sbUploadClick, false);
    sbDownload = button(u"sbDownload"_s, &TFileMagFrm::sbDownloadClick, false);
    sbPreview = button(u"sbPreview"_s, &TFileMagFrm::sbPreviewClick, false);
    sbDelete = button(u"sbDelete"_s, &TFileMagFrm::sbDeleteClick, false);
    sbSummary = button(u"sbSummary"_s, &TFileMagFrm::sbSummaryClick, true);
    sbBulkUpload = button(u"sbBulkUpload"_s, &TFileMagFrm::BulkUploadClick, false);
    sbBulkDownload = button(u"sbBulkDownload"_s, &TFileMagFrm::BulkDownloadClick, false);
    bar->addStretch();
}

void TFileMagFrm::BuildMenus() {
    pmenuList = Named(new QMenu(this), u"pmenuList"_s);
    MenuFolder = Named(new QMenu(this), u"MenuFolder"_s);
    auto item = [this](QMenu* menu, const QString& name, auto slot) {
        QAction* action = menu->addAction(QString());
        action->setObjectName(name);
        connect(action, &QAction::triggered, this, slot);
    };
    item(pmenuList, u"N13"_s, [this] { sbUploadClick(); });
    item(pmenuList, u"N17"_s, [this] { sbDownloadClick(); });
    item(pmenuList, u"N7"_s, [this] { sbPreviewClick(); });
    item(pmenuList, u"N9"_s, [this] { sbDeleteClick(); });
    pmenuList->addSeparator();
    item(pmenuList, u"N3"_s, [this] { CheckoutClick(false); });
    item(pmenuList, u"N4"_s, [this] { CheckoutClick(true); });
    item(MenuFolder, u"nNewFolder"_s, [this] { NewFolderClick(); });
    item(MenuFolder, u"nRenameFolder"_s, [this] { RenameFolderClick(); });
    MenuFolder->addSeparator();
    item(MenuFolder, u"N1"_s, [this] { BulkUploadClick(); });
    item(MenuFolder, u"N2"_s, [this] { BulkDownloadClick(); });
    item(MenuFolder, u"N5"_s, [this] { ShowDiffClick(); });
    FsList->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(FsList, &QWidget::customContextMenuRequested, this,
            [this](QPoint at) { pmenuList->popup(FsList->viewport()->mapToGlobal(at)); });
    FolderTree->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(FolderTree, &QWidget::customContextMenuRequested, this,
            [this](QPoint at) { MenuFolder->popup(FolderTree->viewport()->mapToGlobal(at)); });
}

void TFileMagFrm::LoadTexts() {
    const bool cn = FHS_Language == HSL_CN;
    WLS_Hint = cn ? u"提示"_s : u"Hint"_s;
    WLS_SelOne = cn ? u"一次只能选择一个文件"_s : u"You can only select a file!"_s;
    WLS_SelOne2 = cn ? u"请至少选择一个文件"_s : u"Please select at least one file!"_s;
    WLS_SelGroup = cn ? u"选择工作组"_s : u"Select the working group!"_s;
    WLS_SelFolder = cn ? u"请选择工作目录"_s : u"Please select the working directory!"_s;
    WLS_DEL = cn ? u"确认删除选择文件？"_s : u"Confirm deleting the selected files?"_s;
    WLS_UploadFF = cn ? u"是否上传以下文件或文件夹:"_s : u"Upload the following files or folders: "_s;
    WLS_NewFolder = cn ? u"成功创建文件夹"_s : u"Creating folder is succeeded."_s;
    WLS_RenameFolder = cn ? u"成功重命名文件夹"_s : u"Renaming folder is succeeded."_s;
    struct Caption {
        QToolButton* button;
        const char16_t *cn, *en;
        int width;
    };
    const Caption captions[] = {
        {sbtReload, u"刷新", u"Refresh", 72},      {sbNewFolder, u"新建文件夹", u"New Folder", 0},
        {sbUpload, u"上传", u"Upload", 72},        {sbDownload, u"下载", u"Download", 80},
        {sbPreview, u"预览", u"Preview", 72},      {sbDelete, u"删除", u"Delete", 72},
        {sbSummary, u"摘要", u"Summary", 80},      {sbBulkUpload, u"批量上传", u"Bluk upload", 0},
        {sbBulkDownload, u"批量下载", u"Bluk download", 0}};
    for (const Caption& c : captions) {
        c.button->setText(QString::fromUtf16(cn ? c.cn : c.en));
        if (!cn && c.width > 0) c.button->setMinimumWidth(c.width);
    }
    if (!cn)
        for (QToolButton* b : {sbBulkUpload, sbBulkDownload})
            b->setMinimumWidth(b->sizeHint().width() + 20);
    Label2->setText(cn ? u"正在加载文件，请稍后····"_s : u"Loading the file, please wait..."_s);
    const std::pair<const char*, std::pair<const char16_t*, const char16_t*>> menuTexts[] = {
        {"N13", {u"上传文件", u"Upload file"}},       {"N17", {u"下载文件", u"Download file"}},
        {"N7", {u"预览文件", u"Preview file"}},       {"N9", {u"删除文件", u"Delete file"}},
        {"N3", {u"签出", u"Check out"}},              {"N4", {u"签入", u"Check in"}},
        {"nNewFolder", {u"新建文件夹", u"New Folder"}}, {"nRenameFolder", {u"文件夹重命名", u"Rename Folder"}},
        {"N1", {u"批量上传", u"Bluk upload"}},        {"N2", {u"批量下载", u"Bluk download"}},
        {"N5", {u"显示差异", u"Show differences"}}};
    for (const auto& [name, texts] : menuTexts)
        if (auto* action = findChild<QAction*>(QString::fromLatin1(name)))
            action->setText(QString::fromUtf16(cn ? texts.first : texts.second));
    ApplyFormFont(this, FHS_Language);
    SetColumnCaptions();
}

void TFileMagFrm::SetColumnCaptions() {
    const bool cn = FHS_Language == HSL_CN;
    FsList->setHeaderLabels({cn ? u"   文件名"_s : u"      File name"_s,
                             cn ? u"签出用户"_s : u"Check out user"_s,
                             cn ? u"大小(KB)"_s : u"Size(KB)"_s, cn ? u"修改日期"_s : u"Modified"_s,
                             u"Id"_s, u"IsFolder"_s});
}

void TFileMagFrm::ToFront() {
    show();
    raise();
}

void TFileMagFrm::UMSelectedOwner2() {
    if (FGroupId <= 0) FGroupId = GlobalConfig()->LastGroupId();
    Init();
}

}  // namespace ov
