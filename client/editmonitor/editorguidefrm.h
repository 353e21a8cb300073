#pragma once
// The editing guide shown after an edit started: two tips, a close button and a box to show it
// no more (the settings' DisplayEditGuide). It comes to the front every 800 ms and frees
// itself when closed.

#include "core/types.h"

#include <QDialog>

class QCheckBox;

namespace ov {

class TEditorGuideFrm : public QDialog {
    Q_OBJECT
public:
    explicit TEditorGuideFrm(THS_Language language, QWidget* parent = nullptr);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    QCheckBox* FCheckBox = nullptr;
};

}  // namespace ov
