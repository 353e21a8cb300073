#pragma once
// "Upload scanned documents": asks for a file name and puts every page into the server folder
// as a JPEG file (one page: "Name.jpg"; several: "Name_1.jpg" ...). The pages are converted and
// sent on a worker; only pages the server took (status 3) give keys, and pages that failed are
// reported with the server's text (the dialog then stays open to show it).

#include "core/types.h"
#include "documents/versions/backgroundcalls.h"
#include "documents/versions/versionui.h"

#include <QDialog>
#include <QStringList>
#include <cstdint>
#include <functional>

class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;

namespace ov {

// The page source: for page `Index`, sets the number of pages (always) and, when the page
// exists, the owner, the folder and the page file, and returns true.
using TOnUpladTwainFile = std::function<bool(int Index, std::int32_t& OwnerId,
                                             std::int64_t& FolderId, int& AllFileNum,
                                             QString& FileName)>;

class TTwainUploadFrm : public QDialog {
    Q_OBJECT
public:
    explicit TTwainUploadFrm(QWidget* parent = nullptr);
    ~TTwainUploadFrm() override;

    TOnUpladTwainFile OnUpladTwainFile;
    bool IsOver() const { return FIsOver; }
    // The keys of the pages that arrived, joined with ",".
    QString FileKeys() const { return FKeyList.join(u','); }
    QStringList FailedPages() const { return FFailed; }

    TVersionUi Ui = DefaultVersionUi();
    TServerAccess Access = TServerAccess::FromSettings();

    QLabel* Label1 = nullptr;
    QLineEdit* edtFileName = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* lblHint = nullptr;
    QProgressBar* ProgressBar1 = nullptr;
    QPushButton* btnUpload = nullptr;

signals:
    void uploadDone();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    struct Page {
        std::int32_t Owner = 0;
        std::int64_t Folder = 0;
        QString File;
        QString Base;
    };
    struct Outcome {
        QStringList Keys;
        QStringList Failed;
    };
    void btnUploadClick();
    std::vector<Page> CollectPages(const QString& typed, bool& badName);
    void Finish(const Outcome& outcome, const QString& error);

    THS_Language FHS_Language = HSL_NONE;
    QString WLS_Error, WLS_Ok, WLS_Hint, WLS_NoName, WLS_BadName;
    QStringList FKeyList, FFailed;
    bool FIsOver = false;
    bool FUploading = false;
    TBackgroundCalls m_calls{this};
};

}  // namespace ov
