#include "client/filemanager/selectowner.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "client/filemanager/formstyle.h"
#include "client/filemanager/treenodes.h"
#include "core/robottcpclient.h"

using namespace Qt::StringLiterals;

namespace ov {

TSelectOwnerFrm::TSelectOwnerFrm(QWidget* parent)
    : QDialog(parent), FLink(TServerLink::FromSettings()) {
    setObjectName(u"SelectOwnerFrm"_s);
    setWindowFlag(Qt::WindowStaysOnTopHint);
    tvOrg = Named(new QTreeWidget(this), u"tvOrg"_s);
    tvOrg->setHeaderHidden(true);
    Label1 = Named(new QLabel(this), u"Label1"_s);
    edtName = Named(new QLineEdit(this), u"edtName"_s);
    edtName->setReadOnly(true);
    BitBtn1 = Named(new QPushButton(this), u"BitBtn1"_s);
    BitBtn1->setEnabled(false);
    BitBtn2 = Named(new QPushButton(this), u"BitBtn2"_s);
    auto* row = new QHBoxLayout;
    row->addWidget(Label1);
    row->addWidget(edtName, 1);
    row->addWidget(BitBtn1);
    row->addWidget(BitBtn2);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tvOrg, 1);
    layout->addLayout(row);
    resize(460, 420);
    LoadLangStrings();
    connect(tvOrg, &QTreeWidget::itemClicked, this, [this] { tvOrgClick(); });
    connect(BitBtn1, &QPushButton::clicked, this, [this] { BitBtn1Click(); });
    connect(BitBtn2, &QPushButton::clicked, this, [this] {
        FOwnerId = -1;
        close();
    });
}

void TSelectOwnerFrm::LoadLangStrings() {
    const bool cn = FLink.Language == HSL_CN;
    WLS_Hint = cn ? u"提示"_s : u"Hint"_s;
    WLS_Members = cn ? u"组成员"_s : u"Members"_s;
    setWindowTitle(cn ? u"选择"_s : u"Select"_s);
    BitBtn1->setText(cn ? u"下一步"_s : u"Next"_s);
    BitBtn2->setText(cn ? u"取消"_s : u"Cancel"_s);
    Label1->setText(cn ? u"选择："_s : u"Select:"_s);
    ApplyFormFont(this, FLink.Language);
    if (!cn) edtName->setContentsMargins(40, 0, 0, 0);
}

void TSelectOwnerFrm::GetOrgStructure(TTranStyle TranStyle) {
    try {
        QString text;
        const std::uint8_t state = FLink.Client()->GetOrgStructure(text, TranStyle);
        if (state != RS_Ok) {
            QMessageBox::critical(this, WLS_Hint, text);
            return;
        }
        POrg.ParseOrgStructure(text);
        QTreeWidgetItem* top = AddNode(tvOrg, nullptr, QString(), 0, 0);
        FillGroup(top, *POrg.Root());
        top->setExpanded(true);
    } catch (const std::exception& e) {
        QMessageBox::critical(this, WLS_Hint, QString::fromUtf8(e.what()));
    }
}

void TSelectOwnerFrm::FillGroup(QTreeWidgetItem* node, const THS_Org& group) {
    node->setText(0, group.Name);
    node->setData(0, kDataRole, qint64(group.Id));
    SetNodeImage(node, group.Id != 0 ? 1 : 0);
    for (const THS_Org* child : group.Childs) FillGroup(AddNode(tvOrg, node, {}, 0, 1), *child);
    if (group.Members.isEmpty()) return;
    QTreeWidgetItem* members = AddNode(tvOrg, node, WLS_Members, 0, 3);
    for (const THS_Org* member : group.Members) {
        const TOwnerRegInfo info = POrg.GetUsrInfo(member->Id);
        QString text = member->Name;
        if (!info.Email.isEmpty()) text += u" - "_s + info.Email;
        if (!info.CoreId.isEmpty()) text += u" - "_s + info.CoreId;
        AddNode(tvOrg, members, text, member->Id, 2);
    }
}

void TSelectOwnerFrm::tvOrgClick() {
    QTreeWidgetItem* node = tvOrg->currentItem();
    if (!node || NodeData(node) == 0) return;
    FOwnerId = std::int32_t(NodeData(node));
    edtName->setText(node->text(0));
    BitBtn1->setEnabled(true);
}

void TSelectOwnerFrm::BitBtn1Click() {
    close();
    if (FTarget) FTarget(FOwnerId);
}

}  // namespace ov
