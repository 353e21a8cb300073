#pragma once
// The file summary dialog: the summary in a memo; "modify" returns OK, "close" cancels. The
// panel creates it once and reuses it.

#include <QDialog>

#include "core/types.h"

class QPlainTextEdit;
class QPushButton;

namespace ov {

class TFrmSummary : public QDialog {
    Q_OBJECT
public:
    explicit TFrmSummary(THS_Language language, QWidget* parent = nullptr);
    void SetText(const QString& text);
    QString Text() const;

    QPlainTextEdit* mmoSummary;
    QPushButton *btnModify, *btnCancel;
};

}  // namespace ov
