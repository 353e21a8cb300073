#include "client/filemanager/showfiles.h"

#include <QTreeWidget>

#include "client/filemanager/fileicons.h"
#include "client/filemanager/treenodes.h"
#include "core/datetime.h"
#include "core/robottcpclient.h"

using namespace Qt::StringLiterals;

namespace ov {

namespace {

constexpr int kMaxItems = 100000;

bool isTrue(const QString& text) {
    return text.compare(u"True"_s, Qt::CaseInsensitive) == 0 || text == u"1"_s ||
           text.compare(u"-1"_s) == 0;
}

TFolderItem readLine(const QStringList& fields) {
    auto field = [&fields](int i) { return i < fields.size() ? fields.at(i) : QString(); };
    TFolderItem item;
    item.Id = field(0).toLongLong();
    item.Time = field(1).toLongLong();
    item.Name = field(2);
    item.User = field(3);
    item.IsFolder = isTrue(field(4));
    item.Size = field(5).toLongLong();
    return item;
}

}  // namespace

QVector<TFolderItem> ParseListFolder(const QString& reply) {
    QVector<TFolderItem> items;
    for (const QString& line : reply.split(u'\n')) {
        if (line.trimmed().isEmpty()) continue;
        QStringList fields = line.split(u'*');
        for (QString& f : fields) f = f.trimmed();
        if (!fields.isEmpty() && fields.last().isEmpty()) fields.removeLast();
        if (fields.size() < 2 || items.size() >= kMaxItems) break;
        items.append(readLine(fields));
    }
    return items;
}

QString SizeInKB(std::int64_t bytes) {
    return QString::number(bytes / 1024 + 1);
}

TShowFiles::TShowFiles() : FLink(TServerLink::FromSettings()) {}

void TShowFiles::Init(std::int32_t GroupId, QTreeWidget* FileListItems, std::int64_t FolderId) {
    FOwnerId = GroupId;
    FList = FileListItems;
    FFolderId = FolderId;
}

QVector<TFolderItem> TShowFiles::Fetch(const TServerLink& link, std::int32_t GroupId,
                                       std::int64_t FolderId) {
    try {
        return ParseListFolder(link.Client()->ListFolder(GroupId, FolderId, true));
    } catch (const std::exception&) {
        return {};
    }
}

void TShowFiles::GetFileList() {
    if (!FList) return;
    for (const TFolderItem& item : Fetch(FLink, FOwnerId, FFolderId)) AddItem(FList, item);
}

void TShowFiles::AddItem(QTreeWidget* list, const TFolderItem& item) {
    auto* row = new QTreeWidgetItem();
    row->setText(FC_Name, item.Name);
    row->setText(FC_Id, QString::number(item.Id));
    row->setCheckState(FC_Name, Qt::Unchecked);
    if (item.IsFolder) {
        row->setText(FC_IsFolder, u"1"_s);
        row->setData(FC_Name, kImageRole, kFolderImage);
        row->setIcon(FC_Name, FileListIcon(kFolderImage));
        list->insertTopLevelItem(0, row);
        return;
    }
    const int image = GetFileIconIndex(item.Name);
    row->setData(FC_Name, kImageRole, image);
    row->setIcon(FC_Name, FileListIcon(image));
    row->setText(FC_User, item.User);
    row->setText(FC_Size, SizeInKB(item.Size));
    row->setText(FC_Time, DateTimeToText(Int64ToDateTime(item.Time)));
    row->setText(FC_IsFolder, u"0"_s);
    row->setForeground(FC_User, QColor(255, 0, 0));
    list->addTopLevelItem(row);
}

}  // namespace ov
