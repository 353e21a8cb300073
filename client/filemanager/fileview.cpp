#include "client/filemanager/fileview.h"

#include <QCheckBox>
#include <QCollator>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "client/filemanager/fileicons.h"
#include "client/filemanager/formstyle.h"
#include "client/filemanager/showfiles.h"
#include "client/filemanager/treenodes.h"
#include "core/datetime.h"
#include "core/globalconfig.h"

using namespace Qt::StringLiterals;

namespace ov {

TFileViewFrm::TFileViewFrm(QWidget* parent)
    : QDialog(parent), FHS_Language(GlobalConfig()->SysLanguage()) {
    setObjectName(u"FileViewFrm"_s);
    const bool cn = FHS_Language == HSL_CN;
    WLS_Hint = cn ? u"提示"_s : u"Hint"_s;
    WLS_FileNum = cn ? u"文件总数："_s : u"Total files:"_s;
    WLS_Select = cn ? u"选择文件!"_s : u"Select file!"_s;
    WLS_Del = cn ? u"已删除"_s : u"Deleted"_s;
    WLS_Complete = cn ? u"已完成"_s : u"Completed "_s;
    lvFiles = Named(new QTreeWidget(this), u"lvFiles"_s);
    lvFiles->setRootIsDecorated(false);
    lvFiles->setHeaderLabels({cn ? u"名称"_s : u"Name"_s, cn ? u"源路径"_s : u"Source path"_s,
                              cn ? u"大小(KB)"_s : u"Size(KB)"_s,
                              cn ? u"修改时间"_s : u"Modify time"_s, cn ? u"状态"_s : u"Status"_s});
    lvFiles->setColumnWidth(FV_Name, 200);
    lvFiles->header()->setSectionsClickable(true);
    CheckBox1 = Named(new QCheckBox(cn ? u"全部"_s : u"All"_s, this), u"CheckBox1"_s);
    edtSearchStr = Named(new QLineEdit(this), u"edtSearchStr"_s);
    edtSearchStr->setPlaceholderText(cn ? u"输入文件名称"_s : u"Input search name"_s);
    btFnSearch = Named(new QPushButton(cn ? u"搜索"_s : u"Search"_s, this), u"btFnSearch"_s);
    lbFileNum = Named(new QLabel(this), u"lbFileNum"_s);
    if (!cn) lbFileNum->setContentsMargins(70, 0, 0, 0);
    bbtSave = Named(new QPushButton(cn ? u"确定"_s : u"Confirm"_s, this), u"bbtSave"_s);
    bbtCancel = Named(new QPushButton(cn ? u"关闭"_s : u"Close"_s, this), u"bbtCancel"_s);
    auto* top = new QHBoxLayout;
    top->addWidget(CheckBox1);
    top->addStretch();
    top->addWidget(edtSearchStr);
    top->addWidget(btFnSearch);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(lbFileNum);
    bottom->addStretch();
    bottom->addWidget(bbtSave);
    bottom->addWidget(bbtCancel);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(lvFiles, 1);
    layout->addLayout(bottom);
    resize(640, 440);
    ApplyFormFont(this, FHS_Language);
    connect(lvFiles->header(), &QHeaderView::sectionClicked, this,
            &TFileViewFrm::lvFilesColumnClick);
    connect(CheckBox1, &QCheckBox::clicked, this, &TFileViewFrm::CheckBox1Click);
    connect(btFnSearch, &QPushButton::clicked, this, &TFileViewFrm::btFnSearchClick);
    connect(bbtSave, &QPushButton::clicked, this, &TFileViewFrm::bbtSaveClick);
    connect(bbtCancel, &QPushButton::clicked, this, &QDialog::reject);
}

QTreeWidgetItem* TFileViewFrm::AddFileItem(const QVariant& data, std::int32_t kind, bool ticked,
                                           const QString& state, const QString& path,
                                           TDateTime modified, std::int64_t size) {
    auto* item = new QTreeWidgetItem(lvFiles);
    item->setData(FV_Name, kDataRole, data);
    const int image = KindIconIndex(kind);
    item->setData(FV_Name, kImageRole, image);
    item->setIcon(FV_Name, KindListIcon(image));
    const qsizetype slash = std::max(path.lastIndexOf(u'/'), path.lastIndexOf(u'\\'));
    item->setText(FV_Name, path.mid(slash + 1));
    item->setText(FV_Path, path.left(slash + 1));
    item->setText(FV_Size, SizeInKB(size));
    item->setText(FV_Time, DateTimeToText(modified));
    item->setText(FV_State, state);
    if (FCheckBoxes)
        item->setCheckState(FV_Name, ticked ? Qt::Checked : Qt::Unchecked);
    return item;
}

void TFileViewFrm::lvFilesColumnClick(int column) {
    FSortCol = column;
    const bool reverse = FLastIndex == column;
    QCollator collator;
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    QList<QTreeWidgetItem*> items;
    while (lvFiles->topLevelItemCount() > 0) items.append(lvFiles->takeTopLevelItem(0));
    std::stable_sort(items.begin(), items.end(), [&](QTreeWidgetItem* a, QTreeWidgetItem* b) {
        int order;
        if (column == FV_Size) {
            const qint64 x = a->text(column).toLongLong(), y = b->text(column).toLongLong();
            order = x < y ? -1 : x > y ? 1 : 0;
        } else {
            order = collator.compare(a->text(column), b->text(column));
        }
        return reverse ? order > 0 : order < 0;
    });
    lvFiles->addTopLevelItems(items);
    QTreeWidgetItem* header = lvFiles->headerItem();
    for (int c = 0; c < lvFiles->columnCount(); ++c) {
        header->setIcon(c, QIcon());
        header->setData(c, kImageRole, -1);
    }
    const int image = reverse ? 0 : 1;
    header->setIcon(column, KindListIcon(image));
    header->setData(column, kImageRole, image);
    FLastIndex = reverse ? -1 : column;
}

void TFileViewFrm::CheckBox1Click(bool checked) {
    for (int i = 0; i < lvFiles->topLevelItemCount(); ++i)
        lvFiles->topLevelItem(i)->setCheckState(FV_Name, checked ? Qt::Checked : Qt::Unchecked);
    FSearchInit = false;
}

void TFileViewFrm::btFnSearchClick() {
    const QString text = edtSearchStr->text().trimmed();
    if (text.isEmpty()) return;
    const QLocale locale;
    if (!FSearchInit) {
        CheckBox1Click(false);
        FSearchInit = true;
    }
    const QString needle = locale.toLower(text);
    for (int i = 0; i < lvFiles->topLevelItemCount(); ++i) {
        QTreeWidgetItem* item = lvFiles->topLevelItem(i);
        if (locale.toLower(item->text(FV_Name)).contains(needle))
            item->setCheckState(FV_Name, Qt::Checked);
    }
}

void TFileViewFrm::bbtSaveClick() {
    if (ConfirmSelection()) accept();
}

}  // namespace ov
