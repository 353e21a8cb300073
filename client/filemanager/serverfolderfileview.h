#pragma once
// The server file picker: the files of a server folder; confirm takes the selected one.
// FileId is -1 until a file is confirmed.

#include "client/filemanager/fileview.h"
#include "client/filemanager/serverlink.h"

namespace ov {

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

class TServerFolderFileView : public TFileViewFrm {
    Q_OBJECT
public:
    explicit TServerFolderFileView(QWidget* parent = nullptr);
    void LoadFile(std::int32_t OwnerId, std::int64_t FolderId);
    std::int64_t FileId() const { return FFileId; }
    QString FileName() const { return FFileName; }

protected:
    bool ConfirmSelection() override;

private:
    TServerLink FLink;
    std::int64_t FFileId = -1;
    QString FFileName;
};

}  // namespace ov
