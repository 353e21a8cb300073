#include "client/filemanager/selectserverfolder.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "client/filemanager/formstyle.h"
#include "client/filemanager/treenodes.h"
#include "core/globalconfig.h"

using namespace Qt::StringLiterals;

namespace ov {

TSelectFolderFrm::TSelectFolderFrm(QWidget* parent)
    : QDialog(parent), FHS_Language(GlobalConfig()->SysLanguage()) {
    setObjectName(u"SelectFolderFrm"_s);
    const bool cn = FHS_Language == HSL_CN;
    WLS_Hint = cn ? u"提示"_s : u"Hint"_s;
    WLS_Fn = cn ? u"必须选择\"%s\"的一个文件夹，如果此组/个人没有文件夹，请到页面新建一个文件夹!"_s
                : u"You must choose a folder from \"%s\"!"_s;
    setWindowTitle(cn ? u"选择组或者目录"_s : u"Select group or directory"_s);
    tvOrg = Named(new QTreeWidget(this), u"tvOrg"_s);
    tvOrg->setHeaderHidden(true);
    Label1 = Named(new QLabel(cn ? u"选择"_s : u"Select"_s, this), u"Label1"_s);
    edtFolderName = Named(new QLineEdit(this), u"edtFolderName"_s);
    edtFolderName->setReadOnly(true);
    BitBtn3 = Named(new QPushButton(cn ? u"下一步"_s : u"Next"_s, this), u"BitBtn3"_s);
    BitBtn3->setEnabled(false);
    BitBtn4 = Named(new QPushButton(cn ? u"取消"_s : u"Cancel"_s, this), u"BitBtn4"_s);
    auto* row = new QHBoxLayout;
    row->addWidget(Label1);
    row->addWidget(edtFolderName, 1);
    row->addWidget(BitBtn3);
    row->addWidget(BitBtn4);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tvOrg, 1);
    layout->addLayout(row);
    resize(460, 420);
    ApplyFormFont(this, FHS_Language);
    connect(tvOrg, &QTreeWidget::currentItemChanged, this,
            [this](QTreeWidgetItem* node) { tvOrgChange(node); });
    connect(BitBtn3, &QPushButton::clicked, this, &TSelectFolderFrm::BitBtn3Click);
    connect(BitBtn4, &QPushButton::clicked, this, [this] {
        FFolderId = -1;
        reject();
    });
}

void TSelectFolderFrm::GetFrame(std::int32_t MemberId) {
    FOwnerId = MemberId;
    FFolderId = -1;
    FFolderName.clear();
    FShowFolder.GetSubFolders(tvOrg, nullptr, MemberId);
}

void TSelectFolderFrm::tvOrgChange(QTreeWidgetItem* Node) {
    if (!Node) return;
    if (NodeImage(Node) == 6) {
        SetNodeImage(Node, 1);
        FShowFolder.GetSubFolders(tvOrg, Node, FOwnerId);
        Node->setExpanded(true);
    }
    FFolderId = NodeData(Node);
    FFolderName.clear();
    for (QTreeWidgetItem* n = Node; n; n = n->parent()) FFolderName.prepend(n->text(0) + u'\\');
    edtFolderName->setText(FFolderName);
    BitBtn3->setEnabled(true);
}

void TSelectFolderFrm::BitBtn3Click() {
    if (FIsForceFolder && FFolderId == 0) {
        QString text = WLS_Fn;
        QMessageBox::critical(this, WLS_Hint, text.replace(u"%s"_s, FFolderName));
        return;
    }
    accept();
}

}  // namespace ov
