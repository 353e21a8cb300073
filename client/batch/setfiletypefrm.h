#pragma once
// The file-type picker of the task dialog (TSetFileTypeFrm): "All files" and 29 common types
// in a check list; "All files" excludes the others.

#include <QDialog>

#include "core/types.h"

class QListWidget;
class QListWidgetItem;

namespace ov {

class TSetFileTypeFrm : public QDialog {
    Q_OBJECT
public:
    explicit TSetFileTypeFrm(THS_Language language, QWidget* parent = nullptr);

    void SetFileTypes(const TFileTypeArray& types);
    TFileTypeArray GetFileTypes() const;
    QListWidget* List() const { return m_list; }

private:
    void ItemChanged(QListWidgetItem* item);

    QListWidget* m_list = nullptr;
    bool m_updating = false;
};

}  // namespace ov
