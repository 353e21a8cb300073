#pragma once
// The online editor of office documents (Word, Excel, PowerPoint and WPS files). The latest
// version opens editable in a window of the office suite; this form is its control panel with
// the command bar (save and upload, cancel, find, print, print preview). With LibreOffice the
// form drives the document through the office's automation (platform/officeeditor.h): save,
// close, print, print preview, find, navigator, revisions and the save-as dialog. WPS Office
// for Linux, when it is the suite for the document, offers no automation: it opens the copy,
// and "save and upload" sends what the user saved there.

#include "documents/editing/fileeditbase.h"
#include "platform/officesuite.h"

#include <functional>
#include <memory>
#include <vector>

class QLabel;
class QToolButton;

namespace ov {

namespace platform {
class OfficeEditorSession;
}

class TOfficeFileEditFrm : public TFileEditBaseFrm {
    Q_OBJECT
public:
    explicit TOfficeFileEditFrm(QWidget* parent = nullptr, Qt::WindowFlags flags = {});
    ~TOfficeFileEditFrm() override;

    void InitLangStrings() override;
    int Edit(std::int64_t FileKey, const QString& FileName, const QString& FileExt) override;
    int SaveAndUpload(QString& Error) override;
    // Closes the document, releases the file and (once released) drops the copy and its record.
    void CancelEdit() override;
    void CloseOleObject() override;
    void Print(const QString& EffCode) override;
    void PrintPreview() override;
    void PrintPreviewExit() override;
    void TrackRevisions(bool VBool) override;
    void ShowRevisions(bool VBool) override;
    void AcceptRevisions() override;
    void SaveAs(const QString& Fn) override;
    void ClientMaxSize(float IeVer) override;
    void ClientMax2() override;

    void EditFind();
    void NavPaneVisible(bool B);
    // The suite's window is a top-level window of its own: nothing to park.
    void ResetWordAppHandle() {}
    // Saves the document and uploads it as a new file into another server folder; "ok" or the
    // error text. The edit goes on; nothing is recorded.
    QString UploadEditedFileToOtherFolder(std::int32_t OwnerId, std::int64_t FolderId);

    // The buttons' handlers.
    void spbSaveClick();
    void spbCancelClick();
    void spbPrintPreviewClick();

    QWidget* Toolbar() const { return FPlToolbar; }
    // The office that edits the document (null before Edit, with WPS or after the close).
    platform::OfficeEditorSession* Session() const { return FSession.get(); }
    // Which suites are installed (tests replace it).
    std::function<std::vector<platform::OfficeInstallation>()> FindSuites;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void BuildToolbar();
    QString NewEditFileName(const QString& FileName, const QString& FileExt) const;
    bool OpenInOffice(const std::vector<platform::OfficeInstallation>& suites);
    // One request to the office on a worker; false (with the office's text noted) when refused.
    bool OfficeRequest(const QString& op, const QString& argument = {});
    bool SaveDocument();
    void DropCopy();
    bool IsWordType() const;
    bool IsExcelType() const;

    QWidget* FPlToolbar = nullptr;
    QToolButton* FSpbSave = nullptr;
    QToolButton* FSpbCancel = nullptr;
    QToolButton* FSpbFind = nullptr;
    QToolButton* FSpbPrint = nullptr;
    QToolButton* FSpbPrintPreview = nullptr;
    QLabel* FInfo = nullptr;
    std::shared_ptr<platform::OfficeEditorSession> FSession;
    bool FWps = false;          // WPS edits the copy; no automation
    bool FFinished = false;     // uploaded, or cancelled with the file released
    bool FCloseAll = false;
    bool FInPrintPreview = false;
    QString FLastOfficeError;
    QString WLS_UpladeOver, WLS_CancelEdit, WLS_PrintPreview, WLS_PrintPreviewCancel,
        WLS_EditingIn, WLS_WpsNote;
};

}  // namespace ov
