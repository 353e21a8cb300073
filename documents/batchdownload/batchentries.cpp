#include "documents/batchdownload/batchentries.h"

#include "core/safejoin.h"

namespace ov {

QString BatchFileName(const QString& serverName) {
    const qsizetype cut = std::max(serverName.lastIndexOf(u'/'), serverName.lastIndexOf(u'\\'));
    const QString name = serverName.mid(cut + 1);
    return IsSafeNamePart(name) ? name : QString();
}

std::vector<TBatchEntry> BatchEntries(const QStringList& keys, const QStringList& names) {
    std::vector<TBatchEntry> entries;
    entries.reserve(size_t(keys.size()));
    for (qsizetype i = 0; i < keys.size(); ++i) {
        TBatchEntry e;
        e.Key = keys[i].trimmed().toLongLong();
        if (i < names.size()) {
            e.Shown = names[i];
            e.Name = BatchFileName(names[i]);
        }
        entries.push_back(e);
    }
    return entries;
}

}  // namespace ov
