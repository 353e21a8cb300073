#pragma once
// The replace question of the latest versions for one file whose local copy is newer than the
// server's: OK (replace this one), All (replace this one and every later one of the run) or
// Cancel (keep it). Closing it keeps the file too.

#include "core/types.h"

#include <QDialog>

class QLabel;
class QPushButton;

namespace ov {

class TTitleBar;

class TGetNewVerHintFrm : public QDialog {
    Q_OBJECT
public:
    explicit TGetNewVerHintFrm(THS_Language language, QWidget* parent = nullptr);

    void SetFileName(const QString& FileName);
    // "ok", "all" or "cancel" (also when the window was closed).
    QString ReplaceType() const { return FReplaceType; }

    TTitleBar* Image1 = nullptr;
    QLabel* FileNameLabel = nullptr;
    QLabel* Label3 = nullptr;
    QPushButton* Label2 = nullptr;  // confirm (on Image4)
    QPushButton* Label4 = nullptr;  // all (on Image6)
    QPushButton* Label5 = nullptr;  // cancel (on Image5)

private:
    void Answer(const QString& type);

    QString FReplaceType = QStringLiteral("cancel");
    THS_Language FHS_Languag = HSL_NONE;
};

}  // namespace ov
