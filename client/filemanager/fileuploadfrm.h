#pragma once
// The upload dialog: one local file chosen in the dialog, or a list of files dropped on the
// file manager, uploaded into the chosen server folder. The server's size and type limits are
// checked first; transfers run on a worker and the dialog shows their progress. A successful
// single upload adds the file to the file manager's list.

#include <QDialog>
#include <QStringList>
#include <QVector>

#include "client/filemanager/serverlink.h"
#include "core/types.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QTreeWidget;

namespace ov {

class TTransferJob;

// The sub-folder of a dropped file below the drop's folder, as the server takes it: the file's
// folder after `sourceFolder` (found without regard to case) with "\" separators and a trailing
// "\"; "" when the file's folder does not contain the source folder. At most 1024 characters.
QString UploadSubFolderName(const QString& sourceFolder, const QString& filePath);
// What the path box shows of a dropped file: ".." + "\" + the rest after the source folder.
QString ShortDropPath(const QString& sourceFolder, const QString& filePath);
// The limit in bytes from the server's answer in MB (200 MB when unknown), and the type list
// (one holding 42 allows every type, as an empty one does).
std::int64_t UploadLimitBytes(std::int32_t megabytes);
QVector<std::int32_t> AllowedTypes(QVector<std::int32_t> types);

class TFileUploadFrm : public QDialog {
    Q_OBJECT
public:
    explicit TFileUploadFrm(QWidget* parent = nullptr);
    ~TFileUploadFrm() override;

    // Target owner and folder, and the file manager's list that a single upload extends.
    void Init(std::int32_t GroupId, QTreeWidget* ListItems, std::int64_t FolderId);
    void BtUploadClick();
    void UploadList(const QString& ASourceFolderName, const QStringList& files);
    // The file properties sent with the upload while cbxFilePrt is ticked.
    QString FilePrt() const { return FFilePrt; }
    void SetFilePrt(const QString& text) { FFilePrt = text; }
    // Opens the property page (cbxFilePrt ticked); the panel hands it the program's page,
    // tests their own. Empty: the box cannot be ticked.
    std::function<bool(QString& properties)> EditProperties;
    bool IsBusy() const;

    QLineEdit* EdtPath;
    QPushButton *BtSelectPath, *BtUpload, *btCancel;
    QProgressBar* ProgressBar1;
    QLabel *lbSize, *lblEditPrt;
    QCheckBox* cbxFilePrt;

signals:
    // A single upload or a list upload has ended (whatever its outcome).
    void uploadFinished();
    void listFinished();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    struct Limits;
    void LoadTexts();
    void SetControls(bool enabled);
    void WithLimits(std::function<void()> then);
    TTidyFile Describe(const QString& path) const;
    // The refusal text of the limits ("" when the file passes).
    QString LimitRefusal(const TTidyFile& file) const;
    void SingleDone(const TTidyFile& file, int result, std::int64_t key, const QString& error);
    void AddListItem(const TTidyFile& file, std::int64_t key);
    void NextListFile();
    void ListFileDone(int result, const QString& error);
    void EndList(bool complete);
    void ShowProgress(qint64 allSize, qint64 doneSize);
    void cbxFilePrtClick();
    bool Ask(const QString& text);

    TServerLink FLink;
    std::int32_t FOwnerId = -1;
    std::int64_t FFolderId = -1;
    QTreeWidget* FList = nullptr;
    TTransferJob* FJob;
    bool FClosing = false;
    bool FLimitsRead = false;
    std::int64_t FMaxSize = 0;
    QVector<std::int32_t> FTypes;
    QString FFilePrt;
    QString FSource;
    QStringList FListFiles;
    qsizetype FListIndex = 0;
    QString WLS_Hint, WLS_ErrSize, WLS_ErrKind, WLS_UploadOK, WLS_SameFile, WLS_ChkPath,
        WLS_IsContinue;
};

}  // namespace ov
