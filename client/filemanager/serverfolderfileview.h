#pragma once
// The server file picker: the files of a server folder; confirm takes the selected one.
// FileId is -1 until a file is confirmed.

#include "client/filemanager/fileview.h"
#include "client/filemanager/folderxml.h"
#include "client/filemanager/serverlink.h"

namespace ov {

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
