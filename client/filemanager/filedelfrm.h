#pragma once
// The delete window: deletes the ticked server files and folders, from the last to the first,
// and lists each outcome; a deleted item leaves the file manager's list. The requests run on a
// worker. Frees itself when closed.

#include <QPointer>
#include <QTreeWidget>
#include <QVector>
#include <QWidget>

#include "client/filemanager/serverlink.h"
#include "core/types.h"

class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace ov {

class TFileDelFrm : public QWidget {
    Q_OBJECT
public:
    explicit TFileDelFrm(QWidget* parent = nullptr);
    void Init(const TSelectedInfos& SelectedInfo, std::int32_t OwnerId, QTreeWidget* FileListItem);
    // Starts the deletes; `deleted` follows when they are over and listed.
    void DeleteFiles();
    bool Busy() const { return FBusy; }

    QLabel* Label1;
    QPlainTextEdit* MmHint;
    QPushButton* BtClose;

signals:
    void deleted();

private:
    // Each item's outcome, in the order of the deletes.
    struct TOutcome {
        bool Deleted = false;
        QString Text;
    };
    void ShowOutcomes(const QVector<TOutcome>& outcomes);

    bool FBusy = false;
    TServerLink FLink;
    TSelectedInfos FItems;
    std::int32_t FOwnerId = 0;
    QPointer<QTreeWidget> FList;
    QString WLS_DelOK;
};

}  // namespace ov
