#include "client/filemanager/filedelfrm.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "client/filemanager/formstyle.h"
#include "client/filemanager/showfiles.h"
#include "client/serverdialogs/requestworker.h"
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
    FBusy = true;
    const TServerLink link = FLink;
    const std::int32_t owner = FOwnerId;
    const TSelectedInfos items = FItems;
    RunRequest<QVector<TOutcome>>(
        this,
        [link, owner, items] {
            QVector<TOutcome> outcomes;
            for (qsizetype i = items.size() - 1; i >= 0; --i) {
                const TSelectedInfo& item = items.at(i);
                try {
                    auto client = link.Client();
                    const std::uint8_t code = item.IsFolder
                                                  ? client->DelFolder(owner, item.FileKey)
                                                  : client->DelFile(owner, item.FileKey);
                    outcomes.append({code == 1, code == 1 ? QString() : client->GetDesc(code)});
                } catch (const std::exception& e) {
                    outcomes.append({false, QString::fromUtf8(e.what())});
                }
            }
            return outcomes;
        },
        [this](const QVector<TOutcome>& outcomes) { ShowOutcomes(outcomes); });
}

// A deleted item leaves the list when the list still shows it where it was.
void TFileDelFrm::ShowOutcomes(const QVector<TOutcome>& outcomes) {
    for (qsizetype n = 0; n < outcomes.size(); ++n) {
        const TSelectedInfo& item = FItems.at(FItems.size() - 1 - n);
        const TOutcome& outcome = outcomes.at(n);
        if (outcome.Deleted) {
            const bool listed = FList && item.Index >= 0 && item.Index < FList->topLevelItemCount() &&
                                FList->topLevelItem(item.Index)->text(FC_Name) == item.FileName;
            if (listed) delete FList->takeTopLevelItem(item.Index);
            MmHint->appendPlainText(item.FileName + u": "_s + WLS_DelOK);
        } else {
            MmHint->appendPlainText(item.FileName + u": "_s + outcome.Text);
        }
    }
    FBusy = false;
    emit deleted();
}

}  // namespace ov
