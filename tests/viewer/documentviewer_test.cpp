#include <gtest/gtest.h>

#include <poppler-qt6.h>

#include <QCryptographicHash>
#include <QDialog>
#include <QFile>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>

#include "platform/widgets/documentviewer.h"
#include "support/temphome.h"
#include "testpdf.h"

using namespace Qt::StringLiterals;
using ov::platform::DocumentViewer;

namespace {

// The bounding box of the page (white pixels) in a grab of the viewer.
QRect pageArea(const QImage& shot) {
    QRect box;
    for (int y = 0; y < shot.height(); ++y)
        for (int x = 0; x < shot.width(); ++x)
            if (shot.pixel(x, y) == qRgb(255, 255, 255)) box |= QRect(x, y, 1, 1);
    return box;
}

// Dark pixels inside the page: text and the black bar drawn on every page.
int inkPixels(const QImage& shot, const QRect& area) {
    int ink = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (qGray(shot.pixel(x, y)) < 100) ++ink;
    return ink;
}

int pdfPages(const QString& path) {
    const auto document = Poppler::Document::load(path);
    return document ? document->numPages() : -1;
}

class DocumentViewerTest : public testing::Test {
protected:
    void SetUp() override {
        m_pdf = m_home.file(u"中文文档.pdf"_s);
        ASSERT_TRUE(ov::test::writeChinesePdf(m_pdf));
        m_viewer.resize(800, 800);
        m_viewer.show();
    }

    // Rendering takes seconds under AddressSanitizer on a loaded machine.
    QImage shot() {
        EXPECT_TRUE(m_viewer.waitForRendering(30000));
        return m_viewer.grab().toImage().convertToFormat(QImage::Format_RGB32);
    }

    ov::test::ApplicationFirst m_app;
    ov::test::TempHome m_home;
    QString m_pdf;
    DocumentViewer m_viewer;
};

TEST_F(DocumentViewerTest, LoadsAndKeepsTheFileAfterTheCopyIsDeleted) {
    ASSERT_TRUE(m_viewer.loadFile(m_pdf));
    const QByteArray original = [&] {
        QFile f(m_pdf);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }();
    ASSERT_TRUE(QFile::remove(m_pdf));  // the previewers delete the copy right after loading
    EXPECT_EQ(m_viewer.pageCount(), 3);
    EXPECT_EQ(m_viewer.currentPage(), 1);
    const QImage image = shot();
    EXPECT_GT(inkPixels(image, pageArea(image)), 500);
    const QString copy = m_home.file(u"copy.pdf"_s);
    ASSERT_TRUE(m_viewer.saveAs(copy));
    QFile saved(copy);
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    EXPECT_EQ(saved.readAll(), original);
}

TEST_F(DocumentViewerTest, RefusesWhatIsNoReadableDocument) {
    const QString garbage = m_home.file(u"garbage.pdf"_s);
    QFile f(garbage);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("%PDF-1.4\nthis is no document\n");
    f.close();
    for (const QString& path : {garbage, m_home.file(u"missing.pdf"_s), QString()}) {
        EXPECT_FALSE(m_viewer.loadFile(path)) << path.toStdString();
        EXPECT_FALSE(m_viewer.errorText().isEmpty());
        EXPECT_FALSE(m_viewer.isLoaded());
        EXPECT_EQ(m_viewer.pageCount(), 0);
        EXPECT_EQ(m_viewer.print(false), DocumentViewer::PrintResult::NoDocument);
    }
}

TEST_F(DocumentViewerTest, Paging) {
    ASSERT_TRUE(m_viewer.loadFile(m_pdf));
    QSignalSpy changed(&m_viewer, &DocumentViewer::currentPageChanged);
    m_viewer.nextPage();
    EXPECT_EQ(m_viewer.currentPage(), 2);
    m_viewer.lastPage();
    m_viewer.nextPage();  // stays on the last page
    EXPECT_EQ(m_viewer.currentPage(), 3);
    m_viewer.previousPage();
    EXPECT_EQ(m_viewer.currentPage(), 2);
    m_viewer.firstPage();
    m_viewer.previousPage();
    EXPECT_EQ(m_viewer.currentPage(), 1);
    EXPECT_FALSE(m_viewer.setCurrentPage(0));
    EXPECT_FALSE(m_viewer.setCurrentPage(4));
    EXPECT_TRUE(m_viewer.setCurrentPage(3));
    EXPECT_EQ(changed.count(), 5);
    EXPECT_EQ(changed.last().at(0).toInt(), 3);
}

TEST_F(DocumentViewerTest, ZoomFitAndRotateChangeThePageOnScreen) {
    ASSERT_TRUE(m_viewer.loadFile(m_pdf));
    m_viewer.setZoom(50);
    QRect page = pageArea(shot());
    // A4 (595 x 842 points) at half of 96 dpi.
    EXPECT_NEAR(page.width(), 397, 3);
    EXPECT_NEAR(page.height(), 561, 3);

    m_viewer.rotateRight();
    EXPECT_EQ(m_viewer.rotation(), 90);
    page = pageArea(shot());
    EXPECT_NEAR(page.width(), 561, 3);
    EXPECT_NEAR(page.height(), 397, 3);
    m_viewer.rotateLeft();
    m_viewer.rotateLeft();
    EXPECT_EQ(m_viewer.rotation(), 270);
    m_viewer.rotateRight();

    m_viewer.setZoom(5);
    EXPECT_EQ(m_viewer.zoom(), 10);
    m_viewer.setZoom(5000);
    EXPECT_EQ(m_viewer.zoom(), 800);

    m_viewer.fitWidth();
    EXPECT_EQ(m_viewer.fitMode(), DocumentViewer::FitMode::Width);
    const int room = m_viewer.viewport()->width();
    EXPECT_NEAR(pageArea(shot()).width(), room - 16, 3);
    m_viewer.resize(600, 800);  // the fit holds
    EXPECT_NEAR(pageArea(shot()).width(), m_viewer.viewport()->width() - 16, 3);

    m_viewer.fitHeight();
    page = pageArea(shot());
    EXPECT_NEAR(page.height(), m_viewer.viewport()->height() - 16, 3);
    m_viewer.setZoom(120);
    EXPECT_EQ(m_viewer.fitMode(), DocumentViewer::FitMode::None);
}

TEST_F(DocumentViewerTest, FindsChineseAndLatinTextPageByPage) {
    ASSERT_TRUE(m_viewer.loadFile(m_pdf));
    EXPECT_TRUE(m_viewer.find(u"合同编号"_s));
    EXPECT_EQ(m_viewer.matchPage(), 2);
    EXPECT_EQ(m_viewer.currentPage(), 2);
    EXPECT_FALSE(m_viewer.matchRect().isEmpty());
    EXPECT_TRUE(m_viewer.find(u"合同编号"_s));
    EXPECT_EQ(m_viewer.matchPage(), 3);
    EXPECT_TRUE(m_viewer.find(u"合同编号"_s));  // wraps round
    EXPECT_EQ(m_viewer.matchPage(), 2);
    EXPECT_TRUE(m_viewer.find(u"needle"_s));
    EXPECT_EQ(m_viewer.matchPage(), 3);
    EXPECT_FALSE(m_viewer.find(u"needle"_s, true));
    EXPECT_TRUE(m_viewer.find(u"第1页"_s));
    EXPECT_EQ(m_viewer.currentPage(), 1);
    m_viewer.setCurrentPage(3);  // a search goes on from the page shown
    EXPECT_TRUE(m_viewer.find(u"合同编号"_s));
    EXPECT_EQ(m_viewer.matchPage(), 3);
    EXPECT_FALSE(m_viewer.find(u"不存在的文字"_s));
    EXPECT_EQ(m_viewer.matchPage(), 0);
}

TEST_F(DocumentViewerTest, SearchAfterRotationStillFindsAndShowsTheMatch) {
    ASSERT_TRUE(m_viewer.loadFile(m_pdf));
    m_viewer.rotateRight();
    ASSERT_TRUE(m_viewer.find(u"Needle"_s));
    EXPECT_EQ(m_viewer.currentPage(), 3);
    // The marked text is in view: the highlight colour shows in the grab.
    const QImage image = shot();
    bool highlighted = false;
    for (int y = 0; y < image.height() && !highlighted; ++y)
        for (int x = 0; x < image.width() && !highlighted; ++x) {
            const QColor c = image.pixelColor(x, y);
            highlighted = c.red() > 240 && c.green() > 200 && c.green() < 245 && c.blue() < 150;
        }
    EXPECT_TRUE(highlighted);
}

TEST_F(DocumentViewerTest, Outline) {
    ASSERT_TRUE(m_viewer.loadFile(m_pdf));
    EXPECT_TRUE(m_viewer.outline().empty());
    const QString outlined = m_home.file(u"outlined.pdf"_s);
    ASSERT_TRUE(ov::test::writeOutlinedPdf(outlined));
    ASSERT_TRUE(m_viewer.loadFile(outlined));
    const auto entries = m_viewer.outline();
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[0].title, u"第一章"_s);
    EXPECT_EQ(entries[0].page, 1);
    ASSERT_EQ(entries[0].children.size(), 1u);
    EXPECT_EQ(entries[0].children[0].title, u"Section 1.1"_s);
    EXPECT_EQ(entries[0].children[0].page, 2);
    EXPECT_EQ(entries[1].title, u"Appendix"_s);
    EXPECT_EQ(entries[1].page, 3);
}

TEST_F(DocumentViewerTest, PrintsToAFileBackedPrinter) {
    ASSERT_TRUE(m_viewer.loadFile(m_pdf));
    const QString out = m_home.file(u"printed.pdf"_s);
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(out);
    EXPECT_EQ(m_viewer.printTo(printer), DocumentViewer::PrintResult::Printed);
    EXPECT_EQ(pdfPages(out), 3);

    QPrinter range(QPrinter::HighResolution);
    range.setOutputFileName(m_home.file(u"range.pdf"_s));
    range.setFromTo(2, 3);
    EXPECT_EQ(m_viewer.printTo(range), DocumentViewer::PrintResult::Printed);
    EXPECT_EQ(pdfPages(m_home.file(u"range.pdf"_s)), 2);
}

TEST_F(DocumentViewerTest, PrintDialogDecidesWhetherAnythingIsPrinted) {
    ASSERT_TRUE(m_viewer.loadFile(m_pdf));
    const QString out = m_home.file(u"dialog.pdf"_s);
    bool fileAllowed = false;
    m_viewer.setPrintDialogRunner([&](QPrinter&, QWidget*, bool allowFile) {
        fileAllowed = allowFile;
        return false;
    });
    EXPECT_EQ(m_viewer.print(true), DocumentViewer::PrintResult::Cancelled);
    EXPECT_TRUE(fileAllowed);
    m_viewer.setPrintDialogRunner([&](QPrinter& printer, QWidget*, bool) {
        printer.setOutputFileName(out);
        return true;
    });
    EXPECT_EQ(m_viewer.print(true), DocumentViewer::PrintResult::Printed);
    EXPECT_EQ(pdfPages(out), 3);
}

TEST_F(DocumentViewerTest, WithoutAnyPrinterNothingCountsAsPrinted) {
    if (!QPrinterInfo::availablePrinterNames().isEmpty())
        GTEST_SKIP() << "this machine has printers; a direct print would reach one";
    ASSERT_TRUE(m_viewer.loadFile(m_pdf));
    EXPECT_EQ(m_viewer.print(false), DocumentViewer::PrintResult::Failed);
}

TEST_F(DocumentViewerTest, PrintPreviewShowsEveryPage) {
    ASSERT_TRUE(m_viewer.loadFile(m_pdf));
    for (const bool readOnly : {false, true}) {
        m_viewer.setReadOnly(readOnly);
        std::unique_ptr<QDialog> dialog(m_viewer.createPrintPreviewDialog());
        auto* preview = dialog->findChild<QPrintPreviewWidget*>();
        ASSERT_NE(preview, nullptr);
        preview->updatePreview();
        EXPECT_EQ(preview->pageCount(), 3);
        // A read-only preview has no way on to a printer.
        const auto buttons = dialog->findChildren<QPushButton*>();
        const bool hasPrint = std::any_of(buttons.begin(), buttons.end(), [](QPushButton* b) {
            return b->text().contains(u"Print"_s);
        });
        EXPECT_EQ(hasPrint, !readOnly);
    }
}

// The preview's print button tells its owner about a print that went out, and only then, so
// that the print can be reported like any other.
TEST_F(DocumentViewerTest, PrintFromThePreviewIsSignalledOnlyWhenItWentOut) {
    ASSERT_TRUE(m_viewer.loadFile(m_pdf));
    m_viewer.setReadOnly(false);
    int signalled = 0;
    QObject::connect(&m_viewer, &DocumentViewer::printedFromPreview, [&] { ++signalled; });
    std::unique_ptr<QDialog> dialog(m_viewer.createPrintPreviewDialog());
    QPushButton* printButton = nullptr;
    for (QPushButton* button : dialog->findChildren<QPushButton*>())
        if (button->text().contains(u"Print"_s)) printButton = button;
    ASSERT_NE(printButton, nullptr);
    const QString out = m_home.file(u"frompreview.pdf"_s);
    for (const bool confirmed : {false, true}) {
        m_viewer.setPrintDialogRunner([&](QPrinter& printer, QWidget*, bool) {
            printer.setOutputFileName(out);
            return confirmed;
        });
        printButton->click();
        EXPECT_EQ(signalled, confirmed ? 1 : 0);
    }
    EXPECT_EQ(pdfPages(out), 3);
}

TEST_F(DocumentViewerTest, Screenshot) {
    // Kept outside the repository, for a person to look at.
    const QByteArray target = qgetenv("OV_VIEWER_SCREENSHOT");
    if (target.isEmpty()) GTEST_SKIP() << "OV_VIEWER_SCREENSHOT not set";
    ASSERT_TRUE(m_viewer.loadFile(m_pdf));
    m_viewer.resize(700, 560);
    m_viewer.fitWidth();
    ASSERT_TRUE(m_viewer.find(u"文档预览"_s));
    EXPECT_TRUE(shot().save(QString::fromLocal8Bit(target)));
}

}  // namespace
