#pragma once
// The delete window: deletes the ticked server files and folders, from the last to the first,
// and lists each outcome; a deleted item leaves the file manager's list. Frees itself when
// closed.

#include <QWidget>

#include "client/filemanager/serverlink.h"
#include "core/types.h"

class QLabel;
class QPlainTextEdit;
class QPushButton;
class QTreeWidget;

namespace ov {

class TFileDelFrm : public QWidget {
    Q_OBJECT
public:
    explicit TFileDelFrm(QWidget* parent = nullptr);
    void Init(const TSelectedInfos& SelectedInfo, std::int32_t OwnerId, QTreeWidget* FileListItem);
    void DeleteFiles();

    QLabel* Label1;
    QPlainTextEdit* MmHint;
    QPushButton* BtClose;

private:
    TServerLink FLink;
    TSelectedInfos FItems;
    std::int32_t FOwnerId = 0;
    QTreeWidget* FList = nullptr;
    QString WLS_DelOK;
};

}  // namespace ov
