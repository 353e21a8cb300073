#include <QAction>
#include <QPrinter>
#include <QToolBar>

#include "core/filetype.h"
#include "documents/pdf/foxitpdfreader.h"
#include "platform/widgets/documentviewer.h"
#include "platform/widgets/inputguard.h"
#include "previewfixture.h"

using namespace Qt::StringLiterals;
using ov::HSL_CN;
using ov::HSL_ENG;
using ov::TFoxitPdfReaderFrm;
using ov::THS_Language;
using ov::platform::DocumentViewer;

namespace {

class FoxitPdfReaderTest : public ov::test::PreviewFixture {
protected:
    std::unique_ptr<TFoxitPdfReaderFrm> open(bool readOnly, bool canPrint, const QString& path) {
        auto form = std::make_unique<TFoxitPdfReaderFrm>();
        form->PreViewHintFrm = &hint;
        form->SetDocReadonly(readOnly);
        form->SetCanPrint(canPrint);
        form->resize(710, 556);
        form->show();
        EXPECT_TRUE(form->CheckViewer());
        form->LoadLocalFile(ov::FileExtToCode(u"pdf"_s), path);
        return form;
    }

    void scriptDialog(TFoxitPdfReaderFrm& form, int* shown) {
        const QString out = home.file(u"foxit-printed.pdf"_s);
        form.viewer()->setPrintDialogRunner([=](QPrinter& printer, QWidget*, bool) {
            ++*shown;
            printer.setOutputFileName(out);
            return true;
        });
    }
};

// The copy stays while the viewer shows it and goes when the viewer is closed; the tool bar
// pages, rotates, fits and zooms.
TEST_F(FoxitPdfReaderTest, ShowsTheFileUntilClosedAndTheToolBarDrivesIt) {
    const QString copy = chinesePdf();
    auto form = open(true, false, copy);
    DocumentViewer* viewer = form->viewer();
    ASSERT_TRUE(viewer->isLoaded());
    EXPECT_TRUE(QFile::exists(copy));
    EXPECT_FALSE(hint.isVisible());
    EXPECT_FALSE(form->toolBar().print->isVisible());
    EXPECT_TRUE(viewer->isReadOnly());
    EXPECT_TRUE(ov::platform::InputGuard::instance().isGuarded(viewer));

    const auto& bar = form->toolBar();
    bar.nextPage->trigger();
    bar.nextPage->trigger();
    EXPECT_EQ(viewer->currentPage(), 3);
    bar.previousPage->trigger();
    EXPECT_EQ(viewer->currentPage(), 2);
    bar.rotateRight->trigger();
    EXPECT_EQ(viewer->rotation(), 90);
    bar.rotateLeft->trigger();
    EXPECT_EQ(viewer->rotation(), 0);
    bar.fitWidth->trigger();
    EXPECT_EQ(viewer->fitMode(), DocumentViewer::FitMode::Width);
    bar.fitHeight->trigger();
    EXPECT_EQ(viewer->fitMode(), DocumentViewer::FitMode::Height);
    viewer->setZoom(100);
    bar.zoomIn->trigger();
    EXPECT_DOUBLE_EQ(viewer->zoom(), 100 * TFoxitPdfReaderFrm::kZoomStep);
    bar.zoomOut->trigger();
    EXPECT_DOUBLE_EQ(viewer->zoom(), 100);

    form->CloseOleObject();
    EXPECT_FALSE(QFile::exists(copy));
    const QString second = chinesePdf();
    form = open(false, true, second);
    const QString third = chinesePdf();
    form->LoadLocalFile(ov::FileExtToCode(u"pdf"_s), third);
    EXPECT_FALSE(QFile::exists(second)) << "a new preview on the form replaces the old copy";
    EXPECT_TRUE(QFile::exists(third));
    form.reset();
    EXPECT_FALSE(QFile::exists(third)) << "the copy goes with the form";
}

// Without the print right nothing is printed and nothing reported; a read-only document and a
// virtual printer give the message; a started print is reported once.
TEST_F(FoxitPdfReaderTest, ReportsOnlyAPrintThatWasStarted) {
    int dialogs = 0;
    auto noRight = open(false, false, chinesePdf());
    scriptDialog(*noRight, &dialogs);
    noRight->Print(QString());
    EXPECT_EQ(dialogs, 0);

    setPrinters({virtualPrinter()});
    setLanguage(HSL_ENG);
    auto readOnly = open(true, true, chinesePdf());
    scriptDialog(*readOnly, &dialogs);
    {
        ov::test::MessageBoxCloser closer;
        readOnly->toolBar().print->trigger();
        EXPECT_EQ(closer.seen().text,
                  u"Print function is forbidden because there is virtual printer in the local "
                  u"computer."_s);
        EXPECT_EQ(closer.seen().title, u"Hint"_s);
    }
    EXPECT_EQ(dialogs, 0);

    auto printed = open(false, true, chinesePdf());
    scriptDialog(*printed, &dialogs);
    printed->toolBar().print->trigger();
    EXPECT_EQ(dialogs, 1);
    EXPECT_EQ(settledPrintReports(0, 1), 1);
}

}  // namespace
