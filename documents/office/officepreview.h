#pragma once
// The previewer of Word, Excel, PowerPoint and WPS documents. It first decides whether this
// machine can show the file at all (documents/office/officepreviewgate.h), then fetches it, has
// LibreOffice convert it to PDF on a worker thread (a wait hint meanwhile; the user interface
// never waits for the office) and shows the result in the built-in document viewer, read-only
// unless the document options give more rights. The conversion goes through the office kept
// running for the session (platform/officeconverter.h): only the first preview waits for the
// office to start.
//
// It also serves the browser control's members: printing and print preview (refused for a
// read-only document while a virtual printer is installed; reported to the server once
// started), revisions (shown, hidden or accepted by LibreOffice, and the view refreshed), find,
// the navigation pane (the converted document's outline) and RevisionAndUpload, which accepts
// every revision and sends the result to the server as a new version of the file.
//
// Whatever LibreOffice cannot do (revisions of a spreadsheet, a damaged file, a conversion that
// takes too long) ends in the failure message, never in a pretended success.

#include "documents/office/officepreviewgate.h"
#include "documents/office/officepreviewtexts.h"
#include "documents/preview/previewbase.h"
#include "platform/officejob.h"

#include <QDialog>
#include <QPointer>
#include <QTimer>
#include <chrono>
#include <memory>
#include <optional>
#include <vector>

class QSplitter;
class QTreeWidget;

namespace ov {

class OfficeFindBar;

class TOfficeFilePreviewFrm : public TPreviewBaseFrm {
    Q_OBJECT
public:
    explicit TOfficeFilePreviewFrm(QWidget* parent = nullptr, Qt::WindowFlags flags = {});
    // Closes the viewer and deletes the local copy when CloseOleObject has not run.
    ~TOfficeFilePreviewFrm() override;

    // Decides with the gate, then downloads and shows (documentShown follows).
    void ShowHTML(int FileType, int FileVer, std::int64_t FileKey) override;
    // Converts the downloaded copy and shows it; called by the download.
    void LoadLocalFile(int FileType, const QString& FileName) override;
    // Stops the timer and any office job, closes the viewer and deletes the local copy.
    void CloseOleObject() override;
    void Print(const QString& EffCode) override;
    void PrintPreview() override;
    void PrintPreviewExit() override;
    // Shows (true) or hides the revisions of a text document; tracking is switched on.
    void ShowRevisions(bool VBool) override;
    // Accepts every revision, stops tracking, hides revisions and saves the local copy.
    void AcceptRevisions() override;
    // Nothing is ever saved from the preview.
    void SaveAs(const QString& Fn) override;
    void ClientMaxSize(float IeVer) override;
    void ClientMax2() override;

    // The find bar over the document.
    void EditFind();
    // The navigation pane: the document's outline beside it.
    void NavPaneVisible(bool B);
    // Accepts every revision, saves, uploads the result as a new version of the file: "ok", the
    // server client's error text, or empty after a failure (shown in an "Alert" box). Waits for
    // the office and the upload while the event loop runs; the viewer is closed afterwards.
    QString RevisionAndUpload();

    // ---- for the hosts and tests ----
    // The installed suites the gate looks at (default: the ones found on this system).
    void SetOfficeSuites(std::vector<platform::OfficeInstallation> suites);
    // The converter that keeps one office running (default: the session's, when the office has
    // its Python bridge; without it every document starts an office of its own).
    void SetOfficeConverter(std::shared_ptr<platform::WarmOfficeConverter> converter) {
        m_converter = std::move(converter);
    }
    // Time limit of one office job (conversion, revisions).
    void SetOfficeTimeLimit(std::chrono::milliseconds limit) { m_timeLimit = limit; }
    const OfficeGate& Gate() const { return m_gate; }
    platform::DocumentViewer* Viewer() const { return m_viewer; }
    int ViewStyle() const { return m_viewStyle; }
    bool IsOfficeBusy() const { return m_job && m_job->isRunning(); }
    bool IsTimerActive() const { return m_clipboardTimer.isActive(); }
    OfficeFindBar* FindBar() const { return m_findBar; }
    QTreeWidget* NavPane() const { return m_navPane; }
    QDialog* PrintPreviewDialog() const { return m_preview; }

signals:
    // The document is shown (true) or the preview ended with a message (false).
    void documentShown(bool shown);
    // An office job on the shown document (revisions) ended.
    void revisionsDone(bool ok);

protected:
    // A message box with the error icon and this caption; tests replace it.
    virtual void ShowOfficeMessage(const QString& text, const QString& caption);

private:
    void guardClipboard();
    void ApplyGate(int FileType, int FileVer, std::int64_t FileKey);
    std::vector<platform::OfficeInstallation> Suites() const;
    void CreateViewer();
    void StartConversion(const QString& fileName);
    std::shared_ptr<platform::WarmOfficeConverter> WarmConverter();
    void ConversionDone(const platform::OfficeResult& result);
    void ShowFailure(const platform::OfficeResult& result);
    void ShowPdf();
    void ApplyRestrictions();
    bool PrintingRefused(bool virtualPrinter);
    void StartRevisionJob(std::vector<platform::OfficeOperation> operations);
    void RevisionJobDone(const platform::OfficeResult& result);
    void WaitForOfficeJob();
    void CloseViewer();
    void FillNavPane();
    void RemovePdf();
    QString PdfPath() const;

    OfficePreviewTexts m_texts;
    QString m_shownCopy;  // the downloaded copy that the viewer shows or converts
    bool m_closed = false;
    int m_viewStyle = 0;  // 0 nothing loaded, 2 loaded in the viewer
    int m_fileType = 0;
    bool m_autoSize = true;
    OfficeGate m_gate;
    std::optional<std::vector<platform::OfficeInstallation>> m_suites;
    std::shared_ptr<platform::WarmOfficeConverter> m_converter;
    std::chrono::milliseconds m_timeLimit{120000};
    QTimer m_clipboardTimer;
    bool m_timerStopped = false;  // ClientMax2 stopped the timer for good
    QSplitter* m_splitter = nullptr;
    QTreeWidget* m_navPane = nullptr;
    OfficeFindBar* m_findBar = nullptr;
    platform::DocumentViewer* m_viewer = nullptr;
    QPointer<QDialog> m_preview;
    platform::OfficeJob* m_job = nullptr;
    // What the running office job is for: its end is handled accordingly.
    enum class JobKind { Conversion, Revision, Upload };
    JobKind m_jobKind = JobKind::Conversion;
};

}  // namespace ov
