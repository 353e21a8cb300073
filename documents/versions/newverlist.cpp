#include "documents/versions/newverlist.h"

#include "core/datetime.h"
#include "core/split.h"

namespace ov {

namespace {

TFileInFo ParseLine(const QString& line) {
    const QStringList f = line.split(u'*');
    TFileInFo info;
    info.Key = TextToInt64Def0(f.value(0));
    info.FolderId = TextToInt64Def0(f.value(1));
    info.Date = Int64ToDateTime(TextToInt64Def0(f.value(2)));
    info.Name = f.value(3);
    // The path is the rest of the line, separators included.
    const qsizetype cut = f.size() > 4 ? f.mid(0, 4).join(u'*').size() + 1 : line.size();
    info.Path = line.mid(cut, 1024).replace(u'/', u'\\');
    return info;
}

}  // namespace

TFileInfoArray ParseNewVerList(const QString& text) {
    TFileInfoArray list;
    const QStringList lines = text.split(u'\n');
    for (QString line : lines) {
        if (line.endsWith(u'\r')) line.chop(1);
        if (!line.trimmed().isEmpty()) list.append(ParseLine(line));
    }
    return list;
}

}  // namespace ov
