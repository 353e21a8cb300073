#include "documents/versions/diffitems.h"

#include "core/datetime.h"
#include "core/safejoin.h"
#include "core/split.h"

#include <QDir>
#include <QFileInfo>

using namespace Qt::StringLiterals;

namespace ov {

namespace {

bool BoolText(const QString& text) {
    return text.compare(u"True"_s, Qt::CaseInsensitive) == 0 || text == u"1"_s;
}

}  // namespace

TFileItemArray ParseFolderList(const QString& text) {
    TFileItemArray items;
    if (text.trimmed().isEmpty() || text.trimmed() == u"no power"_s) return items;
    const QStringList lines = text.split(u'\n');
    for (const QString& line : lines) {
        const QStringList f = line.split(u'*');
        TFileItem item;
        item.Id = TextToInt64Def0(f.value(0));
        item.ModifyTime = Int64ToDateTime(TextToInt64Def0(f.value(1)));
        item.Name = f.value(2).trimmed();
        item.CheckOutUser = f.value(3).trimmed();
        item.IsFolder = BoolText(f.value(4).trimmed());
        if (IsSafeNamePart(item.Name)) items.append(item);
    }
    return items;
}

TFileItemArray ListLocalFolder(const QString& folder) {
    TFileItemArray items;
    if (folder.trimmed().isEmpty() || !QDir::isAbsolutePath(folder)) return items;
    const QFileInfoList entries = QDir(folder).entryInfoList(QDir::AllEntries | QDir::Hidden |
                                                             QDir::System | QDir::NoDotAndDotDot);
    for (const QFileInfo& entry : entries)
        items.append({0, entry.fileName(), QString(), QDateTimeToDateTime(entry.lastModified()),
                      entry.isDir()});
    return items;
}

TFileItem UpItem(std::int64_t id) {
    return {id, u".."_s, QString(), 0, true};
}

}  // namespace ov
