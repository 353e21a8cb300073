#pragma once
// Draws the batch window's grid: the state icon, the counts, the progress bar, the start time,
// the rate and the end time of each task, from its worker when it has one, else from the task
// file.

#include <QStyledItemDelegate>

namespace ov {

class TBatchFileDealMainFrm;

class TBatchGridDelegate : public QStyledItemDelegate {
public:
    TBatchGridDelegate(TBatchFileDealMainFrm* window, QObject* parent);
    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;

private:
    TBatchFileDealMainFrm* m_window;
};

}  // namespace ov
