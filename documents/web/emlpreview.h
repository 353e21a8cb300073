#pragma once
// The previewer of mails (eml): a header panel (date, recipients, sender, copy recipients and
// the attachments as links) over the mail's page in a MimePageView (no script runs, nothing is
// fetched; pictures come from the mail's own parts). The character set named first in the file
// reads every text that names none.
//
// Clicking an attachment asks the server once per form whether the user may download files
// (permission 34, 4 s at most; no answer is a refusal). With the right, every attachment of
// that name is saved in the private temporary folder under its last name component (a name
// taken gets a number) and opened with the desktop's viewer under the rules for opening
// server files (documents, pictures, media, archives; never a program). Saved attachments are
// deleted with the preview's copy. Printing goes through the print gate.

#include "documents/preview/previewbase.h"
#include "documents/web/emlpower.h"
#include "documents/web/emltexts.h"
#include "documents/web/mimeload.h"
#include "documents/web/mimepageview.h"
#include "documents/web/pageprint.h"

#include <functional>
#include <vector>

namespace ov {

class AttachmentLink;

class TEmlPreviewFrm : public TPreviewBaseFrm {
    Q_OBJECT
public:
    explicit TEmlPreviewFrm(QWidget* parent = nullptr, Qt::WindowFlags flags = {});
    ~TEmlPreviewFrm() override;

    bool CheckViewer() override { return true; }
    void LoadLocalFile(int FileType, const QString& FileName) override;
    void CloseOleObject() override;
    void Print(const QString& EffCode) override;

    // ---- for the hosts and tests ----
    MimePageView* Browser() const { return WebBrowser1; }
    QWidget* HeaderPanel() const { return Panel1; }
    const std::vector<AttachmentLink*>& AttachmentLinks() const { return m_links; }
    QString CharSetTxt() const { return FCharSetTxt; }
    QString TmpFileName() const { return FTmpFileName; }
    int DownLoadPower() const { return FIsDownLoadPower; }
    const QStringList& SavedAttachments() const { return m_saved; }
    // Clicks the attachment link of that name.
    void ClickAttachment(const QString& name);
    void SetPrintDialog(PagePrintDialog dialog) { m_printDialog = std::move(dialog); }
    // How an attachment is opened (default: the desktop's viewer under the opening rules).
    void SetOpener(std::function<bool(const QString&)> opener) { m_opener = std::move(opener); }
    void SetPowerTimeout(int ms) { m_powerTimeoutMs = ms; }

signals:
    void documentShown(bool shown);
    // An attachment click has been dealt with (opened, refused or failed).
    void attachmentHandled(bool opened);

protected:
    // A message box without owner; tests replace it.
    virtual void ShowMessage(const QString& text);

private:
    void Loaded(std::shared_ptr<const platform::MimeMessage> message, const QString& error);
    void PowerAnswered(bool allowed);
    void OpenAttachments(const QString& name);
    void ClearHeader();

    EmlTexts m_texts;
    QWidget* Panel1 = nullptr;
    QWidget* Panel2 = nullptr;
    MimePageView* WebBrowser1 = nullptr;
    MimeLoad m_load;
    PowerQuery m_power;
    std::shared_ptr<const platform::MimeMessage> FIdMessage;
    std::vector<AttachmentLink*> m_links;
    PagePrintDialog m_printDialog = DefaultPagePrintDialog();
    std::function<bool(const QString&)> m_opener;
    QStringList m_saved;     // attachments saved by this form
    QString m_pendingName;   // the attachment clicked while the right is asked
    int FIsDownLoadPower = 0;  // 0 not asked yet, 1 allowed, -1 refused
    int m_powerTimeoutMs = kPowerTimeoutMs;
    QString FTmpFileName;
    QString FCharSetTxt;
};

}  // namespace ov
