#include "client/filemanager/filedelfrm.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "client/filemanager/formstyle.h"
#include "core/robottcpclient.h"

using namespace Qt::StringLiterals;

namespace ov {

TFileDelFrm::TFileDelFrm(QWidget* parent)
    : QWidget(parent, Qt::Dialog), FLink(TServerLink::FromSettings()) {
    setObjectName(u"FileDelFrm"_s);
    setAttribute(Qt::WA_DeleteOnClose);
    const bool cn = FLink.Language == HSL_CN;
    setWindowTitle(cn ? u"删除信息"_s : u"Delete information"_s);
    WLS_DelOK = cn ? u"删除成功"_s : u"Deleted successfully"_s;
    Label1 = Named(new QLabel(cn ? u"提示"_s : u"Hint"_s, this), u"Label1"_s);
    MmHint = Named(new QPlainTextEdit(this), u"MmHint"_s);
    MmHint->setReadOnly(true);
    BtClose = Named(new QPushButton(cn ? u"关闭"_s : u"Close"_s, this), u"BtClose"_s);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Label1);
    layout->addWidget(MmHint, 1);
    layout->addWidget(BtClose, 0, Qt::AlignRight);
    resize(420, 280);
    ApplyFormFont(this, FLink.Language);
    connect(BtClose, &QPushButton::clicked, this, &QWidget::close);
}

void TFileDelFrm::Init(const TSelectedInfos& SelectedInfo, std::int32_t OwnerId,
                       QTreeWidget* FileListItem) {
    FItems = SelectedInfo;
    FOwnerId = OwnerId;
    FList = FileListItem;
}

void TFileDelFrm::DeleteFiles() {
    for (qsizetype i = FItems.size() - 1; i >= 0; --i) {
        const TSelectedInfo& item = FItems.at(i);
        auto client = FLink.Client();
        const std::uint8_t code = item.IsFolder ? client->DelFolder(FOwnerId, item.FileKey)
                                                : client->DelFile(FOwnerId, item.FileKey);
        if (code == 1) {
            if (FList && item.Index >= 0 && item.Index < FList->topLevelItemCount())
                delete FList->takeTopLevelItem(item.Index);
            MmHint->appendPlainText(item.FileName + u": "_s + WLS_DelOK);
        } else {
            MmHint->appendPlainText(item.FileName + u": "_s + client->GetDesc(code));
        }
    }
}

}  // namespace ov
