#pragma once
// The base of the previewers whose files LibreOffice converts to PDF for the built-in viewer
// (Visio and CorelDRAW drawings, Project plans, rich text).
//
// LoadLocalFile converts the downloaded copy on a worker thread through the session's warm
// converter (one LibreOffice kept running), shows the PDF, and deletes the copy and the PDF:
// the viewer keeps what it shows. A conversion that fails shows its reason in the hint window;
// nothing earlier passes for the document that failed. CloseOleObject stops a running
// conversion, closes the viewer and deletes whatever copy is left.

#include "documents/converted/convertedtoolbar.h"
#include "documents/preview/previewbase.h"
#include "platform/officeconverter.h"
#include "platform/officejob.h"

#include <chrono>
#include <memory>
#include <optional>

namespace ov {

class TConvertedPreviewFrm : public TPreviewBaseFrm {
    Q_OBJECT
public:
    explicit TConvertedPreviewFrm(QWidget* parent = nullptr, Qt::WindowFlags flags = {});
    ~TConvertedPreviewFrm() override;

    void LoadLocalFile(int FileType, const QString& FileName) override;
    void CloseOleObject() override;

    // ---- for the hosts and tests ----
    // The LibreOffice that reads the files (default: the one installed here; nullopt: none).
    void SetOffice(std::optional<platform::OfficeInstallation> office);
    const std::optional<platform::OfficeInstallation>& Office();
    // The converter (default: the session's converter of that LibreOffice).
    void SetOfficeConverter(std::shared_ptr<platform::WarmOfficeConverter> converter);
    void SetOfficeTimeLimit(std::chrono::milliseconds limit) { m_timeLimit = limit; }
    platform::DocumentViewer* Viewer() const { return m_viewer; }
    const ConvertedToolBar& ToolBar() const { return m_toolBar; }
    bool IsConverting() const { return m_job && m_job->isRunning(); }

signals:
    // The document is shown (true) or the preview ended with a message (false).
    void documentShown(bool shown);

protected:
    // The text of the hint window while the office converts.
    virtual QString LoadingText() const = 0;
    // Whether the viewer offers copy, save-as and print keys (default: not for read-only).
    virtual bool ViewerReadOnly() const { return DocReadonly(); }
    // The previewer's own rules once its document is shown.
    virtual void DocumentReady() {}
    // Prints through the print gate: nothing without the print right; a read-only document
    // that could reach a virtual printer is refused with the message; otherwise the viewer
    // prints (with the print dialog when SelectPrinter). True when pages went to the printer.
    bool PrintThroughGate();
    // Shows the print action of the tool bar (only previewers that print).
    void OfferPrint(bool offer);

private:
    void StartConversion(const QString& fileName);
    void ConversionDone(const platform::OfficeResult& result);
    void ShowFailure(const QString& why);
    void RemoveCopies();
    std::shared_ptr<platform::WarmOfficeConverter> Converter();

    std::optional<std::optional<platform::OfficeInstallation>> m_office;  // outer: looked up
    std::shared_ptr<platform::WarmOfficeConverter> m_converter;
    std::chrono::milliseconds m_timeLimit{120000};
    platform::DocumentViewer* m_viewer = nullptr;
    platform::OfficeJob* m_job = nullptr;
    ConvertedToolBar m_toolBar;
    QString m_copy;  // the downloaded copy being converted
    bool m_closed = false;
};

}  // namespace ov
