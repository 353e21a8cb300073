#pragma once
// The version-control log window ("版本控制状态监控"): one per process, made at start-up and only
// hidden when closed. Every check-out, cancel, check-in and latest-versions run writes its rows
// here: the file, what happened, and the time.

#include "core/types.h"
#include "documents/versions/versionlog.h"

#include <QWidget>

class QLabel;
class QPushButton;
class QTreeWidget;

namespace ov {

class TTitleBar;

class THintFrmXe : public QWidget, public TVersionLogSink {
    Q_OBJECT
public:
    // The language comes from the settings.
    explicit THintFrmXe(QWidget* parent = nullptr);
    THintFrmXe(THS_Language language, QWidget* parent);

    // A row: the file name, the hint and the current time as "YYYY-MM-DD HH:MM:SS"; the list
    // follows its last row.
    void AddLog(const QString& FileName, const QString& HintInfo);
    // Shows the window in front with its last row in view.
    void ShowInFront();

    void AddVersionLog(const QString& name, const QString& text) override;
    void ReloadLists() override {}
    void TransferProgress(const QString& name, qint64 all, qint64 done) override;

    int RowCount() const;
    QString RowText(int row, int column) const;

    TTitleBar* Image1 = nullptr;  // title bar with Label2, Image9 (minimise), Image3 (close)
    QLabel* Label1 = nullptr;
    QTreeWidget* ListView1 = nullptr;
    QPushButton* Image8 = nullptr;  // the close button with the caption Label4

private:
    void FormCreate(THS_Language language);
    void centreOnParent();

    QString FLabel1Text;
    THS_Language FHS_Languag = HSL_NONE;
};

}  // namespace ov
