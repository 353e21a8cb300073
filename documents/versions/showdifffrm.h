#pragma once
// The comparison of a server folder with a local folder, side by side: the server's items on
// the left, the local ones on the right, matched by name row by row and coloured by state
// (same, only on the server, only local, server newer, local newer). Its pop-up menu uploads,
// fetches the latest versions, and checks out, in or cancels (through the check-out dialog,
// whose rows come to this window's log); double-clicking a folder moves into it, ".." back up.
// The two lists scroll and select together.

#include "core/types.h"
#include "documents/versions/backgroundcalls.h"
#include "documents/versions/diffmatch.h"
#include "documents/versions/versionlog.h"
#include "documents/versions/versionui.h"

#include <QDialog>
#include <QStringList>
#include <cstdint>

class QAction;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPlainTextEdit;
class QPushButton;
class QSplitter;
class QTreeWidget;
class QTreeWidgetItem;
class QWidget;

namespace ov {

struct TStepResult;

class TShowDiffFrm : public QDialog, public TVersionLogSink {
    Q_OBJECT
public:
    // The language, the server and the work root come from the settings.
    explicit TShowDiffFrm(QWidget* parent = nullptr);
    ~TShowDiffFrm() override;

    // The owner, the server folder and the settings folder; the server path and the local
    // folder are looked up (`ready` follows).
    void Init(std::int32_t OwnerId, std::int64_t FolderId, const QString& IniFilePath);
    // Fetches both sides again and matches them (`refreshed` follows).
    void Refresh();

    // The log rows of the check-out dialog, and the end of its runs.
    void AddVersionLog(const QString& name, const QString& text) override;
    void ReloadLists() override;

    // The rows as shown (for the menu actions and tests).
    const QVector<TDiffRow>& Rows() const { return m_rows; }
    static QColor StateColor(TDiffState state);

    TVersionUi Ui = DefaultVersionUi();
    TServerAccess Access = TServerAccess::FromSettings();

    QWidget* Panel1 = nullptr;  // the comparison page
    QWidget* Panel5 = nullptr;  // legend
    QLabel *Label4 = nullptr, *Label5 = nullptr, *Label6 = nullptr, *Label7 = nullptr,
           *Label8 = nullptr;
    QLabel *Label2 = nullptr, *Label3 = nullptr;  // server path, local path
    QGroupBox* GroupBox1 = nullptr;               // the path page
    QLabel* LbServerPath = nullptr;
    QLineEdit* EdtLocalPath = nullptr;
    QPushButton *BtSelectPath = nullptr, *BtShowDiff = nullptr, *BtCancel = nullptr;
    QSplitter* Splitter1 = nullptr;
    QTreeWidget* LVServerFiles = nullptr;
    QTreeWidget* LVLocalFiles = nullptr;
    QPlainTextEdit* MemoHint = nullptr;
    QMenu* PmOperate = nullptr;
    QAction *N1 = nullptr, *N2 = nullptr, *N3 = nullptr, *N4 = nullptr, *N5 = nullptr,
            *N7 = nullptr, *N8 = nullptr;

signals:
    void ready();
    void refreshed();
    // A menu action's transfers are over.
    void actionDone();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // showdifffrm.cpp: the form and its texts.
    void FormCreate();
    void LoadTexts();
    QWidget* CreatePathPage();
    QWidget* CreateComparisonPage();
    QWidget* CreateLegend();
    void CreateMenu();
    void ShowResolved(const QString& reply);
    void BtSelectPathClick();
    void BtShowDiffClick();
    // showdiff_lists.cpp: the rows, their colours and the linked lists.
    void FillRows(const QVector<TDiffRow>& rows);
    void PaintRow(int index);
    void OnListed(TFileItemArray server, TFileItemArray local);
    void ShowAll();
    void ShowDifferences();
    void SyncSelection(QTreeWidget* from, QTreeWidget* to);
    void ResizeColumns();
    void HideScrollBars();
    void OpenRow(int index);
    QList<int> SelectedRows() const;
    // showdiff_actions.cpp: the menu.
    void UploadSelected();
    void UploadNext(QList<int> rows, bool reload);
    void UploadOne(int row, const QString& name, std::function<void()> next);
    void LatestSelected();
    void LatestNext(QList<int> rows);
    void VersionAction(int action);
    void Log(const QString& line);

    QString WLS_SelPath, WLS_NotSel, WLS_Hint, WLS_FileExist, WLS_UploadOK, WLS_Replace,
        WLS_ReplaceService, WLS_NoChecked, WLS_UseCheckin, WLS_GetOK;
    std::int32_t FOwnerId = 0;
    int FLastFolderIndex = -1;
    std::int64_t FFolderId = 0;
    QString FIniFilePath, FFileRoot;
    QStringList FFolderIdList;  // the folder stack, current folder first
    TFileItemArray FServerList, FLocalList;
    QVector<TDiffRow> m_rows;
    bool m_syncing = false;
    THS_Language FHS_Lage = HSL_NONE;
    TBackgroundCalls m_calls{this};
};

}  // namespace ov
