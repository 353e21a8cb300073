#pragma once
// The previewer of saved web archives (mht): the archive's page in a MimePageView, with the
// pictures it holds and nothing from outside. Printing goes through the print gate.

#include "documents/preview/previewbase.h"
#include "documents/web/mimeload.h"
#include "documents/web/mimepageview.h"
#include "documents/web/pageprint.h"

namespace ov {

class TMhtPreviewFrm : public TPreviewBaseFrm {
    Q_OBJECT
public:
    explicit TMhtPreviewFrm(QWidget* parent = nullptr, Qt::WindowFlags flags = {});
    ~TMhtPreviewFrm() override;

    bool CheckViewer() override { return true; }
    void LoadLocalFile(int FileType, const QString& FileName) override;
    void CloseOleObject() override;
    void Print(const QString& EffCode) override;

    MimePageView* Browser() const { return WebBrowser1; }
    void SetPrintDialog(PagePrintDialog dialog) { m_printDialog = std::move(dialog); }

signals:
    void documentShown(bool shown);

private:
    void Loaded(std::shared_ptr<const platform::MimeMessage> message, const QString& error);

    MimePageView* WebBrowser1 = nullptr;
    MimeLoad m_load;
    PagePrintDialog m_printDialog = DefaultPagePrintDialog();
    QString FTmpFileName;
};

}  // namespace ov
