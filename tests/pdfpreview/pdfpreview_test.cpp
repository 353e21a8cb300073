#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QPrinter>
#include <QSignalSpy>
#include <QSlider>
#include <QTimer>
#include <QToolBar>

#include "core/filetype.h"
#include "documents/pdf/pdfpreview.h"
#include "platform/widgets/documentviewer.h"
#include "platform/widgets/inputguard.h"
#include "previewfixture.h"

using namespace Qt::StringLiterals;
using ov::HSL_CN;
using ov::HSL_ENG;
using ov::THS_Language;
using ov::TPdfPreviewFrm;
using ov::platform::DocumentViewer;

namespace {

const int kPdf = ov::FileExtToCode(u"pdf"_s);

class PdfPreviewTest : public ov::test::PreviewFixture {
protected:
    std::unique_ptr<TPdfPreviewFrm> open(bool readOnly, bool canPrint) {
        auto form = std::make_unique<TPdfPreviewFrm>();
        form->PreViewHintFrm = &hint;
        form->SetDocReadonly(readOnly);
        form->SetCanPrint(canPrint);
        form->resize(800, 700);
        form->show();
        EXPECT_TRUE(form->CheckViewer());
        form->LoadLocalFile(kPdf, chinesePdf());
        return form;
    }

    // Plays the print dialog: cancels, or prints into a PDF file of the private home.
    void scriptDialog(TPdfPreviewFrm& form, bool print, int* shown) {
        const QString out = home.file(u"printed.pdf"_s);
        form.viewer()->setPrintDialogRunner([=](QPrinter& printer, QWidget*, bool) {
            ++*shown;
            printer.setOutputFileName(out);
            return print;
        });
    }

    static int ink(const QImage& image) {
        int dark = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                if (qGray(image.pixel(x, y)) < 100) ++dark;
        return dark;
    }
};

// A Chinese PDF is shown, paged, zoomed, rotated and searched, and the temporary copy is gone
// once the viewer has read it.
TEST_F(PdfPreviewTest, ShowsAChinesePdfAndTheToolBarDrivesIt) {
    auto form = open(false, true);
    DocumentViewer* viewer = form->viewer();
    ASSERT_TRUE(viewer && viewer->isLoaded());
    EXPECT_FALSE(QFile::exists(home.file(u"预览副本1.pdf"_s)));
    EXPECT_EQ(form->windowTitle(), u"预览副本1.pdf"_s);
    EXPECT_EQ(viewer->pageCount(), 3);
    ASSERT_TRUE(viewer->waitForRendering());
    EXPECT_GT(ink(viewer->grab().toImage()), 500) << "the page's text and bar are drawn";

    const auto& bar = form->toolBar();
    // The page box reads as a reader's: the current page, then the number of pages.
    EXPECT_EQ(bar.pageNumber->text(), u"1"_s);
    EXPECT_EQ(bar.pageLabelAfter->text(), u"页 / 共3页"_s);
    bar.nextPage->trigger();
    bar.nextPage->trigger();
    EXPECT_EQ(viewer->currentPage(), 3);
    EXPECT_EQ(bar.pageNumber->text(), u"3"_s);
    bar.firstPage->trigger();
    EXPECT_EQ(viewer->currentPage(), 1);
    for (const auto& [text, page] : std::vector<std::pair<QString, int>>{
             {u"2"_s, 2}, {u" 3 "_s, 3}, {u"0"_s, 3}, {u"-1"_s, 3}, {u"x"_s, 3}, {u"9"_s, 3}}) {
        bar.pageNumber->setText(text);
        emit bar.pageNumber->returnPressed();
        EXPECT_EQ(viewer->currentPage(), page) << text.toStdString();
        EXPECT_EQ(bar.pageNumber->text(), QString::number(page));
    }
    bar.rotateRight->trigger();
    EXPECT_EQ(viewer->rotation(), 90);
    bar.rotateLeft->trigger();
    bar.rotateLeft->trigger();
    EXPECT_EQ(viewer->rotation(), 270);
    bar.fitWidth->trigger();
    EXPECT_EQ(viewer->fitMode(), DocumentViewer::FitMode::Width);
    bar.fitHeight->trigger();
    EXPECT_EQ(viewer->fitMode(), DocumentViewer::FitMode::Height);

    bar.firstPage->trigger();
    EXPECT_TRUE(viewer->find(u"合同编号"_s));
    EXPECT_EQ(viewer->matchPage(), 2);
}

// The track bar's position plus 80 is the zoom; a change of at most 8 from the last zoom sent
// is not sent. The zoom buttons move the bar by 10 within its range.
// The parts keep the designer's names as object names, which traces and scripts look for.
TEST_F(PdfPreviewTest, PartsCarryTheDesignersNames) {
    TPdfPreviewFrm form;
    const auto& bar = form.toolBar();
    const std::vector<std::pair<const char16_t*, const QObject*>> parts{
        {u"ToolButton11", bar.fitWidth},  {u"ToolButton12", bar.fitHeight},
        {u"ToolButton1", bar.rotateLeft}, {u"ToolButton8", bar.nextPage},
        {u"Edit1", bar.pageNumber},       {u"TrackBar1", bar.zoomSlider},
        {u"Label1", bar.status},          {u"Timer1", form.timer()}};
    for (const auto& [name, part] : parts)
        EXPECT_EQ(form.findChild<QObject*>(QString::fromUtf16(name)), part)
            << QString::fromUtf16(name).toStdString();
}

TEST_F(PdfPreviewTest, TrackBarSendsOnlyZoomChangesAboveEight) {
    auto form = open(false, true);
    const auto& bar = form->toolBar();
    DocumentViewer* viewer = form->viewer();
    QSignalSpy zooms(viewer, &DocumentViewer::zoomChanged);
    EXPECT_EQ(bar.zoomSlider->value(), 50);
    bar.zoomIn->trigger();
    EXPECT_DOUBLE_EQ(viewer->zoom(), 140);
    bar.zoomSlider->setValue(55);
    EXPECT_DOUBLE_EQ(viewer->zoom(), 140) << "135 is within 8 of 140";
    bar.zoomSlider->setValue(50);
    EXPECT_DOUBLE_EQ(viewer->zoom(), 130);
    EXPECT_EQ(zooms.count(), 2);
    for (int i = 0; i < 8; ++i)
        bar.zoomOut->trigger();
    EXPECT_EQ(bar.zoomSlider->value(), 0);
    EXPECT_DOUBLE_EQ(viewer->zoom(), 80);
    for (int i = 0; i < 12; ++i)
        bar.zoomIn->trigger();
    EXPECT_EQ(bar.zoomSlider->value(), 100);
    EXPECT_DOUBLE_EQ(viewer->zoom(), 180);
}

struct RestrictionCase {
    bool readOnly;
    bool canPrint;
};

// The print button shows exactly when printing is allowed; the timer runs for a read-only
// document or one that may not be printed; a read-only document is guarded.
TEST_F(PdfPreviewTest, RestrictionsFollowTheDocumentOptions) {
    for (const RestrictionCase c : {RestrictionCase{false, true}, RestrictionCase{false, false},
                                    RestrictionCase{true, true}, RestrictionCase{true, false}}) {
        SCOPED_TRACE(testing::Message() << "read-only " << c.readOnly << ", print " << c.canPrint);
        auto form = open(c.readOnly, c.canPrint);
        EXPECT_EQ(form->toolBar().print->isVisible(), c.canPrint);
        EXPECT_EQ(form->toolBar().printSeparator->isVisible(), c.canPrint);
        EXPECT_EQ(form->timer()->isActive(), c.readOnly || !c.canPrint);
        EXPECT_EQ(form->viewer()->isReadOnly(), c.readOnly);
        EXPECT_EQ(ov::platform::InputGuard::instance().isGuarded(form->viewer()), c.readOnly);
        EXPECT_EQ(form->viewer()->viewport()->contextMenuPolicy(), Qt::PreventContextMenu);
    }
}

// The server hears of a print only when the pages went to the printer: not without a document,
// not without the print right, not when the dialog was cancelled, not when a read-only document
// meets a virtual printer.
TEST_F(PdfPreviewTest, ReportsOnlyAPrintThatWasStarted) {
    int dialogs = 0;
    TPdfPreviewFrm empty;
    empty.Print(QString());

    auto refused = open(false, false);
    scriptDialog(*refused, true, &dialogs);
    refused->Print(QString());
    EXPECT_EQ(dialogs, 0);

    auto cancelled = open(false, true);
    scriptDialog(*cancelled, false, &dialogs);
    cancelled->toolBar().print->trigger();
    EXPECT_EQ(dialogs, 1);

    setPrinters({virtualPrinter()});
    auto readOnly = open(true, true);
    scriptDialog(*readOnly, true, &dialogs);
    {
        ov::test::MessageBoxCloser closer;
        readOnly->Print(QString());
        EXPECT_EQ(closer.seen().text, u"本机存在虚拟打印机，系统禁止打印此文档！"_s);
        EXPECT_EQ(closer.seen().title, u"提示"_s);
        EXPECT_EQ(closer.seen().icon, QMessageBox::Critical);
    }
    EXPECT_EQ(dialogs, 1);

    setPrinters({});
    auto printed = open(false, true);
    scriptDialog(*printed, true, &dialogs);
    printed->toolBar().print->trigger();
    EXPECT_EQ(dialogs, 2);
    EXPECT_TRUE(QFile::exists(home.file(u"printed.pdf"_s)));
    EXPECT_EQ(settledPrintReports(0, 1), 1);
    printed->PrintPreview();
    QTest::qWait(200);
    std::lock_guard lock(model.mutex);
    EXPECT_EQ(model.logs.size(), 1) << "the print preview neither shows nor reports anything";
}

// The whole road: the demo's Chinese PDF comes from the server, shows, and a print of it is
// reported with its file key.
TEST_F(PdfPreviewTest, PreviewsTheServerFileAndReportsItsPrint) {
    TPdfPreviewFrm form;
    form.PreViewHintFrm = &hint;
    form.SetCanPrint(true);
    form.show();
    QSignalSpy finished(&form, &TPdfPreviewFrm::previewFinished);
    form.ShowHTML(kPdf, -1, ov::test::demo::GearboxPdfFile);
    ASSERT_TRUE(finished.wait(10000));
    ASSERT_TRUE(form.viewer() && form.viewer()->isLoaded()) << hint.HintText().toStdString();
    EXPECT_EQ(form.viewer()->pageCount(), 2);
    EXPECT_TRUE(form.viewer()->find(u"齿轮箱"_s));
    EXPECT_FALSE(hint.isVisible());
    EXPECT_FALSE(QFile::exists(form.LocalFilename())) << "deleted once the viewer read it";
    int dialogs = 0;
    scriptDialog(form, true, &dialogs);
    form.Print(QString());
    EXPECT_EQ(settledPrintReports(ov::test::demo::GearboxPdfFile, 1), 1);
}

// A missing reader or a damaged file ends in the hint window with the error picture; the
// temporary copy is deleted either way.
TEST_F(PdfPreviewTest, MissingReaderAndDamagedFileShowTheirHint) {
    struct LanguageCase {
        THS_Language language;
        QString text;
    };
    for (const LanguageCase& c :
         {LanguageCase{HSL_CN, u"需要本地安装Adobe Reader 5以上版本，或者福昕6.0以上阅读器！"_s},
          LanguageCase{HSL_ENG, u"Need to install Adobe Reader 5 or later!"_s}}) {
        setLanguage(c.language);
        ov::platform::setViewerProbe(std::make_unique<ov::platform::ScriptedViewerProbe>());
        TPdfPreviewFrm form;
        form.PreViewHintFrm = &hint;
        EXPECT_FALSE(form.Check2());
        EXPECT_EQ(hint.HintText(), c.text);
        EXPECT_TRUE(hint.ShowsErrorPicture());
    }
    ov::platform::setViewerProbe(nullptr);
    TPdfPreviewFrm form;
    form.PreViewHintFrm = &hint;
    ASSERT_TRUE(form.Check2());
    EXPECT_EQ(form.readerVersion(), u"V7"_s);
    const QString damaged = damagedPdf();
    form.ShowEx2(damaged);
    EXPECT_FALSE(QFile::exists(damaged));
    EXPECT_TRUE(hint.isVisible());
    EXPECT_TRUE(hint.ShowsErrorPicture());
    EXPECT_FALSE(hint.HintText().isEmpty());
}

// As a window the form shows centred on its owner. As a child it follows its parent's size: by
// the parent's layout when embedded, or by itself when the parent says it was resized. Closing
// the viewer twice is harmless, and a closed form's buttons do nothing.
TEST_F(PdfPreviewTest, WorksAsAWindowOrAChildAndAfterClosing) {
    QWidget owner;
    owner.setGeometry(100, 80, 1000, 800);
    owner.show();
    TPdfPreviewFrm window(&owner, Qt::Window);
    window.show();
    EXPECT_TRUE(window.isWindow());
    EXPECT_LE((window.geometry().center() - owner.geometry().center()).manhattanLength(), 8);

    QWidget container;
    container.resize(500, 400);
    container.show();
    auto* placed = new TPdfPreviewFrm(&container);
    placed->LoadLocalFile(kPdf, chinesePdf());
    container.resize(620, 480);
    placed->WMPdfSize();
    EXPECT_EQ(placed->geometry(), QRect(0, 0, 619, 479));
    delete placed;

    auto* form = new TPdfPreviewFrm;
    form->PreViewHintFrm = &hint;
    form->EmbedInto(&container);
    form->LoadLocalFile(kPdf, chinesePdf());
    container.resize(700, 520);
    form->WMPdfSize();
    EXPECT_EQ(form->geometry(), container.rect());
    EXPECT_FALSE(form->isWindow());
    form->CloseOleObject();
    form->CloseOleObject();
    EXPECT_EQ(form->viewer(), nullptr);
    form->toolBar().nextPage->trigger();
    form->toolBar().zoomIn->trigger();
    form->Print(QString());
}

}  // namespace

namespace {

// Pictures of the previewer with the demo's Chinese PDF in both languages, for a person to look
// at: written only when OV_SHOT_DIR names a folder.
TEST_F(PdfPreviewTest, Screenshots) {
    const QString dir = qEnvironmentVariable("OV_SHOT_DIR");
    if (dir.isEmpty()) GTEST_SKIP() << "OV_SHOT_DIR not set";
    for (const auto& [language, name] :
         {std::pair{HSL_CN, u"pdf-cn.png"_s}, std::pair{HSL_ENG, u"pdf-en.png"_s}}) {
        setLanguage(language);
        const QString copy = home.file(u"齿轮箱设计说明书.pdf"_s);
        QFile file(copy);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(ov::test::demo::GearboxPdf());
        file.close();
        TPdfPreviewFrm form;
        form.PreViewHintFrm = &hint;
        form.SetCanPrint(true);
        form.resize(900, 700);
        form.show();
        form.LoadLocalFile(kPdf, copy);
        form.toolBar().fitWidth->trigger();
        ASSERT_TRUE(form.viewer()->waitForRendering());
        QTest::qWait(100);
        EXPECT_TRUE(form.grab().save(dir + u"/"_s + name));
    }
}

}  // namespace
