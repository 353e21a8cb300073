#pragma once
// The file manager panel docked in the main window's work area: on the left the organisation
// (groups and the user) or, once an owner is chosen, that owner's server folders; on the right
// the chosen folder's items with check boxes. Its tool bar and menus upload, download, delete,
// preview, create and rename folders and edit a file's summary; local files and folders dropped
// on the list are uploaded. Check-out, check-in, differences and batch transfers go to the
// slots the start-up fills in.

#include <QPointer>
#include <QStringList>
#include <QWidget>
#include <functional>
#include <optional>

#include "client/serverdialogs/requestworker.h"
#include "core/types.h"

class QCheckBox;
class QLabel;
class QMenu;
class QToolButton;
class QTreeWidget;
class QTreeWidgetItem;

namespace ov {

class TFileUploadFrm;
class TFileDownloadFrm;
class TFrmSummary;
struct TFolderItem;
struct TFolderReply;

// What the panel hands to other parts of the program; the start-up fills them in. An unset
// slot leaves its command without effect.
struct TFileMagSlots {
    // A batch task (the main window brings the batch window to the front and appends it).
    std::function<void(const TBatchTransport& task)> OnBatchFileDeal;
    // Check-out and check-in of files (keys in decimal and names in matching order), with the
    // settings folder; the list is reloaded afterwards.
    std::function<void(const QStringList& keys, const QStringList& names, const QString& appPath)>
        Checkout, Checkin;
    // The differences between a server folder and its local folder.
    std::function<void(std::int32_t ownerId, std::int64_t folderId, const QString& appPath)>
        ShowDiff;
    // A web command for the dispatcher (preview of the formats the client shows itself).
    std::function<void(quint8 code, const QString& cmd)> RunWebCmd;
    // Opens a page in the browser.
    std::function<void(const QString& url)> OpenUrl;
    // The property page of an upload (the server's page in a web view): edits the property
    // text, true when confirmed. Empty: uploads offer no properties.
    std::function<bool(QWidget* parent, QString& properties)> EditProperties;
};

// The preview route of a file name: true for the extensions (compared exactly) that the client
// previews itself through web command 13; the others open the server's preview page.
bool PreviewsInClient(const QString& fileName);
// The argument of web command 13 for a file.
QString PreviewCommandText(std::int64_t fileKey, const QString& fileName);

class TFileMagFrm : public QWidget {
    Q_OBJECT
public:
    explicit TFileMagFrm(QWidget* parent = nullptr);
    ~TFileMagFrm() override;

    TFileMagSlots& Slots() { return FSlots; }

    // Loads the organisation (the request runs on a worker, like all of the panel's server
    // requests; the window stays responsive meanwhile).
    void Init();
    // Server requests still under way.
    bool Busy() const { return FPending > 0; }
    // Visible and in front.
    void ToFront();
    // The user's own owner when none is chosen (message 0x473).
    void UMSelectedOwner2();
    // The ticked items in list order (folders only when allowed); an empty result after the
    // message when more than one is ticked with onlyOne, or none.
    std::optional<TSelectedInfos> GetSelectedInfos(bool onlyOne, bool allowFolders);
    // The drop list of the last drop: folders first, then files.
    const QStringList& DropFileList() const { return FDropFileList; }
    // The confirmation text of a drop: the first ten entries, then "......".
    QString DropQuestion(const QStringList& entries) const;

    std::int32_t GroupId() const { return FGroupId; }
    std::int64_t FolderId() const { return FFolderId; }
    TFileUploadFrm* UploadForm() const { return FUploadFrm; }
    TFileDownloadFrm* DownloadForm() const { return FDownloadFrm; }

    // Commands, as their buttons and menu items run them.
    void sbUploadClick();
    void sbDownloadClick();
    void sbDeleteClick();
    void sbPreviewClick();
    void sbSummaryClick();
    void sbtReloadClick();
    void NewFolderClick();
    void RenameFolderClick();
    void CheckoutClick(bool checkin);
    void BulkUploadClick();
    void BulkDownloadClick();
    void ShowDiffClick();
    void SortByColumn(int column);
    // Uploads the drop list's files (folders expanded) into the current folder.
    void UploadDropFiles();

    QWidget* Panel3;
    QToolButton *sbtReload, *sbNewFolder, *sbUpload, *sbDownload, *sbPreview, *sbDelete,
        *sbSummary, *sbBulkUpload, *sbBulkDownload;
    QTreeWidget *OrgTree, *FolderTree, *FsList;
    QCheckBox* chbAllFile;
    QWidget* plWait;
    QLabel* Label2;
    QMenu *pmenuList, *MenuFolder;
    TFrmSummary* SummaryFrm;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // A request's state and text, or the failure's text.
    struct TTextReply {
        bool Failed = false;
        std::uint8_t State = 0;
        QString Text;
    };
    void ReloadFolder();
    void FolderAdded(const QString& reply, QTreeWidgetItem* node, const QString& name);
    // Runs a server request on a worker; `done` gets its result on this window's thread.
    template <typename Result>
    void Request(std::function<Result()> work, std::function<void(const Result&)> done) {
        ++FPending;
        RunRequest<Result>(this, std::move(work),
                           [this, done = std::move(done)](const Result& result) {
                               --FPending;
                               done(result);
                           });
    }
    void ShowOrg(const TTextReply& reply);
    void ClearFolderTree();
    void LoadFolders(QTreeWidgetItem* node, std::int32_t ownerId,
                     std::function<void()> loaded = {});
    void ShowFileList(const QVector<TFolderItem>& items);
    void BuildForm();
    void BuildToolBar();
    void BuildMenus();
    void LoadTexts();
    void SetColumnCaptions();
    void OrgTreeClick(QTreeWidgetItem* node, int column);
    // The owner's folders; `loaded` runs once they are in the tree.
    void LoadFolderTree(const QString& ownerName, std::int32_t ownerId,
                        std::function<void()> loaded = {});
    void FolderTreeChange(QTreeWidgetItem* node);
    void LoadFileList();
    void ListSelectionChanged();
    void OpenFolderItem(std::int64_t id);
    void ClearList();
    void AddOrgNode(QTreeWidgetItem* parent, const THS_Org& group, int depth);
    bool HandleDrop(class QDropEvent* event);
    void ShowSummary(std::int64_t key, const QString& text);
    void SaveSummary(std::int64_t key, const QString& text);
    void OpenUrl(const QString& url);
    QString ClientToken() const;

    THS_Language FHS_Language;
    QString WLS_Hint, WLS_SelOne, WLS_SelOne2, WLS_SelGroup, WLS_SelFolder, WLS_DEL, WLS_UploadFF,
        WLS_NewFolder, WLS_RenameFolder;
    QString FAppPath;
    std::int32_t FLastId = 0;
    std::int32_t FGroupId = -1;
    std::int64_t FFolderId = 0;
    int FLastIndex = -1;
    int FSortCol = -1;
    int FSortClicks = 0;
    QStringList FDropFileList;
    QList<QTreeWidgetItem*> FSelected;
    TFileMagSlots FSlots;
    int FPending = 0;
    // Bumped when the organisation is asked for again, the folder tree loses nodes and the list
    // is cleared: replies to older requests are dropped.
    int FOrgGeneration = 0, FTreeGeneration = 0, FListGeneration = 0;
    // The upload dialog, made on first use with the property page of the slots.
    TFileUploadFrm* UploadFrm();
    TFileUploadFrm* FUploadFrm = nullptr;
    TFileDownloadFrm* FDownloadFrm = nullptr;
};

}  // namespace ov
