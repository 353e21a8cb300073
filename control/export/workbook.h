#pragma once
// A server table as a workbook: rows split at line ends, cells at tabs, every cell written as
// text (64-bit keys keep all their digits), the column widths given. ".xlsx" is written
// directly; ".xls" is the same workbook converted by LibreOffice (headless, a private profile).
// An existing file is never replaced. Blocking: call it on a worker.

#include <QString>
#include <QStringList>
#include <QVector>
#include <chrono>
#include <functional>
#include <optional>

namespace ov::control {

enum class TExportKind { FileList, FolderList, UsersList, UploadLog, OtherLog };

// The column widths of a kind, first column first (none for folders and users).
QVector<double> ColumnWidths(TExportKind kind);

// The table: rows at "\r\n" or "\n" (a last empty line dropped), cells at "\t".
QVector<QStringList> ParseTable(const QString& text);

enum class TWorkbookStatus { Ok, NotInstalled, Failed };

struct TWorkbookResult {
    TWorkbookStatus Status = TWorkbookStatus::Failed;
    QString Message;  // why it failed
};

// Where LibreOffice is (empty: none); tests may point elsewhere.
using TOfficeProgram = std::function<QString()>;
TOfficeProgram SystemOfficeProgram();

// Writes `table` to `target` (".xls" or ".xlsx", compared as typed).
TWorkbookResult WriteWorkbook(const QString& target, const QString& text,
                              const QVector<double>& widths, const TOfficeProgram& office,
                              std::chrono::milliseconds officeLimit = std::chrono::seconds(120));

}  // namespace ov::control
