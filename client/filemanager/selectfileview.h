#pragma once
// The task file list: a batch task's files with check boxes; confirm returns the unticked ones.

#include <QVector>

#include "client/filemanager/fileview.h"

namespace ov {

class TSelectFileView : public TFileViewFrm {
    Q_OBJECT
public:
    explicit TSelectFileView(QWidget* parent = nullptr);
    // One file of a task index: removed files unticked ("已删除"), done ones ticked ("已完成"),
    // all others ticked without a state.
    void AddFiles(const TTidyFile& file);
    bool SelectKey() const { return FSelectKey; }
    // The path hashes of the unticked items, in list order.
    QVector<std::int64_t> GetUnSelectedKeys() const;

protected:
    bool ConfirmSelection() override;

private:
    bool FSelectKey = false;
};

}  // namespace ov
