#pragma once
// The folder XML of the server read into plain values: one level of sub-folders, an owner's
// whole folder tree, and the files of a folder. Uses Qt Xml and the core alone.

#include <QString>
#include <QVector>

#include "core/types.h"

namespace ov {

// One folder of a folder XML; `Childs` only in the whole-tree form.
struct TFolderNode {
    std::int64_t Id = 0;
    QString Path;
    int ChildNum = 0;
    QVector<TFolderNode> Childs;
};

// Sub-folders: every child of the document element, one level.
QVector<TFolderNode> ParseSubFolders(const QString& xml);
// The owner's folders: document element, "Item", "Childs", nested.
QVector<TFolderNode> ParseOwnerFolders(const QString& xml);

// One file of a folder-file XML: its path and name, key, size, time and type code.
struct TServerFileEntry {
    QString Path;
    std::int64_t Id = 0;
    std::int64_t Size = 0;
    TDateTime DT = 0;
    std::int32_t Kind = 0;
};

// Every child of the document element; a size or kind that is not a number is 0, a time that is
// not one is `now`.
QVector<TServerFileEntry> ParseFolderFiles(const QString& xml, TDateTime now);

}  // namespace ov
