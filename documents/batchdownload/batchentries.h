#pragma once
// The files of a batch download as the dialog takes them: the i-th name belongs to the i-th key;
// a name is reduced to its bare file name (the text after its last "/" or "\"). An entry whose
// name is missing or is no safe file name ("", ".", "..", NUL) cannot be downloaded.

#include <QString>
#include <QStringList>
#include <cstdint>
#include <vector>

namespace ov {

struct TBatchEntry {
    std::int64_t Key = 0;  // 0 when the key text is not a number
    QString Name;          // the bare file name; empty when the entry is refused
    QString Shown;         // the name as it came (for the log of a refused entry)
};

// The bare file name of a server name, or "" when it is none.
QString BatchFileName(const QString& serverName);
std::vector<TBatchEntry> BatchEntries(const QStringList& keys, const QStringList& names);

}  // namespace ov
