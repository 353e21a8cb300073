#include <QAction>
#include <QToolBar>

#include "core/filetype.h"
#include "documents/pdf/ssrspreview.h"
#include "platform/widgets/documentviewer.h"
#include "previewfixture.h"

using namespace Qt::StringLiterals;
using ov::HSL_CN;
using ov::HSL_ENG;
using ov::THS_Language;
using ov::TSSrsPreviewFrm;
using ov::platform::DocumentViewer;

namespace {

class SSrsPreviewTest : public ov::test::PreviewFixture {
protected:
    void installReader() {
        auto probe = std::make_unique<ov::platform::ScriptedViewerProbe>();
        probe->setKey(u"CLSID\\{34E23F0A-1F7A-423B-826A-BB780154357D}\\Control"_s);
        ov::platform::setViewerProbe(std::move(probe));
    }
    std::unique_ptr<TSSrsPreviewFrm> open(const QString& path) {
        auto form = std::make_unique<TSSrsPreviewFrm>();
        form->PreViewHintFrm = &hint;
        form->resize(795, 544);
        form->show();
        EXPECT_TRUE(form->CheckViewer());
        form->LoadLocalFile(ov::FileExtToCode(u"pdf"_s), path);
        return form;
    }
};

// On this system the reader is not there: the message (no icon, in Chinese whatever the
// language) and the tool bar goes; nothing is loaded.
TEST_F(SSrsPreviewTest, MissingReaderShowsItsMessage) {
    setLanguage(HSL_ENG);
    TSSrsPreviewFrm form;
    form.show();
    ov::test::MessageBoxCloser closer;
    EXPECT_FALSE(form.CheckViewer());
    EXPECT_EQ(closer.seen().text, u"需要本地安装书生阅读器(SursenReader)7.2以上版本"_s);
    EXPECT_EQ(closer.seen().title, u"提示"_s);
    EXPECT_EQ(closer.seen().icon, QMessageBox::NoIcon);
    EXPECT_FALSE(form.toolBar().toolBar->isVisible());
    EXPECT_EQ(form.viewer(), nullptr);
}

// The page buttons turn themselves off at the first and the last page and on again when the
// other one is used.
TEST_F(SSrsPreviewTest, PageButtonsStopAtTheEnds) {
    installReader();
    auto form = open(chinesePdf());
    EXPECT_EQ(form->version(), u"1.0"_s);
    const auto& bar = form->toolBar();
    DocumentViewer* viewer = form->viewer();
    bar.previousPage->trigger();
    EXPECT_FALSE(bar.previousPage->isEnabled());
    EXPECT_EQ(viewer->currentPage(), 1);
    bar.nextPage->trigger();
    EXPECT_TRUE(bar.previousPage->isEnabled());
    bar.nextPage->trigger();
    EXPECT_EQ(viewer->currentPage(), 3);
    EXPECT_TRUE(bar.nextPage->isEnabled());
    bar.nextPage->trigger();
    EXPECT_FALSE(bar.nextPage->isEnabled());
    EXPECT_EQ(viewer->currentPage(), 3);
    bar.previousPage->trigger();
    EXPECT_TRUE(bar.nextPage->isEnabled());
    EXPECT_EQ(viewer->currentPage(), 2);
}

// Fitting divides by the page's size: a page of no size (a file that did not load) leaves the
// zoom alone instead of dividing by 0.
TEST_F(SSrsPreviewTest, FittingNeedsAPageSize) {
    EXPECT_EQ(TSSrsPreviewFrm::fitRatio(880, 80, 800), 100.0);
    EXPECT_EQ(TSSrsPreviewFrm::fitRatio(480, 40, 220), 200.0);
    EXPECT_EQ(TSSrsPreviewFrm::fitRatio(880, 80, 0), std::nullopt);
    EXPECT_EQ(TSSrsPreviewFrm::fitRatio(880, 80, -5), std::nullopt);

    installReader();
    auto loaded = open(chinesePdf());
    EXPECT_GT(loaded->pageWidth(), 0);
    EXPECT_GT(loaded->pageHeight(), loaded->pageWidth()) << "A4 stands upright";
    loaded->toolBar().fitWidth->trigger();
    const double fitted = loaded->viewer()->zoom();
    EXPECT_NE(fitted, 100.0);
    loaded->toolBar().zoomIn->trigger();
    EXPECT_NEAR(loaded->viewer()->zoom(), fitted * 1.1, 1e-6);

    auto damaged = open(damagedPdf());
    EXPECT_TRUE(hint.ShowsErrorPicture());
    EXPECT_EQ(damaged->pageWidth(), 0);
    damaged->toolBar().fitWidth->trigger();
    damaged->toolBar().fitHeight->trigger();
    EXPECT_EQ(damaged->viewer()->zoom(), 100.0);
}

}  // namespace
