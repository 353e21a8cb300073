#pragma once
// The previewer of CEB e-books, with its page tool bar (first and last page, previous and next
// page, the page number and the page count). The pages are turned by the CEB reader control;
// none is installed on this system, so the form shows its missing text, but the tool bar
// works with any control a host puts in (tests put a scripted one).

#include "documents/readers/readerpreview.h"

#include <functional>
#include <memory>

class QAction;
class QLabel;
class QLineEdit;
class QToolBar;

namespace ov {

// The members of the CEB reader control that the previewer calls.
class CebViewerControl {
public:
    virtual ~CebViewerControl() = default;
    virtual void CEBViewerInit() = 0;
    virtual bool OpenCEBFile(const QString& fileName, bool readOnly) = 0;
    virtual void FirstPage(bool refresh) = 0;
    virtual void LastPage() = 0;
    virtual void PrevPage() = 0;
    virtual void NextPage() = 0;
    virtual void GotoPage(int page) = 0;
    virtual int GetTotalPageNum() = 0;
    virtual int GetCurPageNum() = 0;
    virtual void CloseCEBFile() = 0;
    virtual void CEBViewerUnInit() = 0;
};

class TCebPreviewFrm : public TReaderPreviewFrm {
    Q_OBJECT
public:
    using ControlFactory = std::function<std::unique_ptr<CebViewerControl>(QWidget* panel)>;

    explicit TCebPreviewFrm(QWidget* parent = nullptr, Qt::WindowFlags flags = {});
    ~TCebPreviewFrm() override;

    void LoadLocalFile(int FileType, const QString& FileName) override;
    void CloseOleObject() override;

    // Where the control comes from (default: none is installed here).
    void SetControlFactory(ControlFactory factory) { m_factory = std::move(factory); }

    QAction* tbtFrist = nullptr;  // first page
    QAction* tbtLast = nullptr;   // last page
    QAction* tbtFront = nullptr;  // previous page
    QAction* tbtNext = nullptr;   // next page
    QLineEdit* edtIndex = nullptr;
    QLabel* lbPageIndex = nullptr;

private:
    void BuildToolBar();
    void ShowPageState();
    void Turn(void (CebViewerControl::*turn)());
    void GoToTypedPage();

    ControlFactory m_factory;
    std::unique_ptr<CebViewerControl> PEcbViewer;
    QWidget* Panel2 = nullptr;
};

}  // namespace ov
