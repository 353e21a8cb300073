#pragma once
// The server's answer to the latest-versions query: one file per line, its fields separated by
// "*": key, folder id, modification time (the server's 64-bit date-time), name, and the path of
// its server folder (the rest of the line).

#include "core/types.h"

#include <QString>
#include <QVector>
#include <cstdint>

namespace ov {

struct TFileInFo {
    std::int64_t Key = 0;
    std::int64_t FolderId = 0;
    QString Name;
    QString Path;  // "/" turned into "\"; at most 1024 characters
    TDateTime Date = 0;
};
using TFileInfoArray = QVector<TFileInFo>;

// A line that lacks a separator leaves its later fields empty or 0; empty lines give nothing.
TFileInfoArray ParseNewVerList(const QString& text);

}  // namespace ov
