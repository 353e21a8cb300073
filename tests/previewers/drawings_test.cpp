// The converted previewers with the machine's LibreOffice: Visio, CorelDRAW and rich text are
// converted and shown; Project plans have no reader; the read-only rules stay in their form;
// printing goes through the print gate.

#include "documents/drawings/cdrpreview.h"
#include "documents/drawings/mpppreview.h"
#include "documents/drawings/vsdpreview.h"
#include "documents/web/rtfpreview.h"
#include "platform/widgets/inputguard.h"
#include "platform/widgets/systemprinters.h"
#include "support.h"

#include <QFile>
#include <QImage>

using namespace Qt::StringLiterals;

namespace ov::test {

namespace {

template <typename Form>
class Recording : public Form {
public:
    using Form::Form;
    QStringList messages;
    QString root() const { return this->FRoot; }

protected:
    void ShowErrorMessage(const QString& text) override { messages << text; }
};

// Pixels that are clearly blue.
int blueOf(const QImage& image) {
    int found = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            if (c.blue() > 180 && c.red() < 80 && c.green() < 80) ++found;
        }
    return found;
}

class DrawingsTest : public PreviewerTest {
protected:
    void SetUp() override {
        if (!sharedConverter()) GTEST_SKIP() << "no LibreOffice with Python";
    }

    template <typename Form>
    std::unique_ptr<Recording<Form>> newForm(bool readOnly) {
        auto form = std::make_unique<Recording<Form>>();
        form->PreViewHintFrm = hint.get();
        form->SetOfficeConverter(sharedConverter());
        form->SetDocReadonly(readOnly);
        form->resize(800, 600);
        form->show();
        return form;
    }

    // Loads a copy of the fixture as a download would; whether it was shown.
    template <typename Form>
    std::optional<bool> load(Form& form, const char* fixture, const char* name) {
        const QString copy =
            copyTo(officeFixture(QString::fromUtf8(fixture)), form.root(), QString::fromUtf8(name));
        EXPECT_FALSE(copy.isEmpty());
        form.LoadLocalFile(0, copy);
        const auto shown = waitFor(&form, &TConvertedPreviewFrm::documentShown);
        EXPECT_FALSE(QFile::exists(copy));  // the viewer keeps what it shows
        EXPECT_FALSE(QFile::exists(copy + u".pdf"_s));
        return shown;
    }
};

// Each drawing kind and rich text, converted by the one warm office and shown.
TEST_F(DrawingsTest, VisioCorelDrawAndRichTextAreShown) {
    auto visio = newForm<TVsdPreviewFrm>(false);
    ASSERT_TRUE(visio->CheckViewer());
    EXPECT_TRUE(visio->Version().startsWith(u"LibreOffice "_s));
    ASSERT_EQ(load(*visio, "drawing.vsdx", "2401011200001.vsdx"), true) << hint->HintText().toStdString();
    EXPECT_EQ(visio->Viewer()->pageCount(), 1);
    EXPECT_TRUE(visio->Viewer()->find(u"Drawingfixture"_s));
    EXPECT_TRUE(visio->Viewer()->isReadOnly());  // for every drawing, read-only or not
    EXPECT_EQ(visio->LoadWay(), 3);
    EXPECT_FALSE(hint->isVisible());

    auto corel = newForm<TCdrPreviewFrm>(false);
    ASSERT_TRUE(corel->CheckViewer());
    ASSERT_EQ(load(*corel, "drawing.cdr", "2401011200002.cdr"), true) << hint->HintText().toStdString();
    EXPECT_EQ(corel->Viewer()->pageCount(), 1);
    ASSERT_TRUE(corel->Viewer()->waitForRendering(10000));
    EXPECT_GT(blueOf(corel->Viewer()->grab().toImage()), 500) << "the drawing's blue box";

    auto rich = newForm<TRtfPreviewFrm>(false);
    ASSERT_EQ(load(*rich, "rich.rtf", "2401011200003.rtf"), true) << hint->HintText().toStdString();
    EXPECT_TRUE(rich->Viewer()->find(u"Richfixture"_s));
    EXPECT_FALSE(rich->Viewer()->isReadOnly());
    EXPECT_LE(sharedConverter()->starts(), 1);
}

// A file the office cannot read shows the reason and nothing else; the next one works.
TEST_F(DrawingsTest, AnUnreadableDrawingShowsWhy) {
    auto visio = newForm<TVsdPreviewFrm>(true);
    const QString copy = visio->root() + u"broken.vsdx"_s;
    QFile broken(copy);
    ASSERT_TRUE(broken.open(QIODevice::WriteOnly));
    broken.write("PK\x03\x04 no drawing");
    broken.close();
    visio->LoadLocalFile(0, copy);
    EXPECT_EQ(waitFor(visio.get(), &TConvertedPreviewFrm::documentShown), false);
    EXPECT_TRUE(hint->HintText().startsWith(u"The document cannot be shown: "_s));
    EXPECT_TRUE(hint->ShowsErrorPicture());
    EXPECT_FALSE(visio->Viewer()->isLoaded());
    EXPECT_FALSE(QFile::exists(copy));
    EXPECT_EQ(load(*visio, "drawing.vsdx", "again.vsdx"), true);
}

struct MissingCase {
    THS_Language language;
    const char16_t* visio;
    const char16_t* project;
    const char16_t* corel;
};

// Without a reader each form says which program it needs; Project plans never have one here.
TEST_F(DrawingsTest, WithoutAReaderEachFormShowsItsText) {
    const MissingCase cases[] = {
        {HSL_CN, u"需要本地安装 Microsoft Office Visio 2003以上版本",
         u"需要本地安装 Microsoft Office Project 2003以上版本", u"需要本地安装 CorelDRAW"},
        {HSL_ENG, u"Requires local installation of Microsoft Office Visio 2003 or later",
         u"Local installation of Microsoft Office Project 2003 or later",
         u"Require local installation CorelDRAW "}};
    for (const MissingCase& c : cases) {
        setLanguage(c.language);
        auto project = newForm<TMppPreviewFrm>(true);  // with LibreOffice installed
        EXPECT_FALSE(project->CheckViewer());
        EXPECT_EQ(hint->HintText(), QString::fromUtf16(c.project));
        EXPECT_TRUE(hint->ShowsErrorPicture());
        auto visio = newForm<TVsdPreviewFrm>(true);
        visio->SetOffice(std::nullopt);
        EXPECT_FALSE(visio->CheckViewer());
        EXPECT_EQ(hint->HintText(), QString::fromUtf16(c.visio));
        auto corel = newForm<TCdrPreviewFrm>(true);
        corel->SetOffice(std::nullopt);
        EXPECT_FALSE(corel->CheckViewer());
        EXPECT_EQ(hint->HintText(), QString::fromUtf16(c.corel));
        EXPECT_EQ(corel->windowTitle(),
                  c.language == HSL_CN ? u"Cdr文件预览"_s : u"Cdr File Preview"_s);
    }
}

// A read-only drawing guards right clicks in its own form only: the process-wide switch is
// left alone, so other windows keep their right clicks.
TEST_F(DrawingsTest, ReadOnlyRulesStayInTheirForm) {
    QWidget elsewhere;
    elsewhere.resize(100, 100);
    elsewhere.show();
    auto visio = newForm<TVsdPreviewFrm>(true);
    ASSERT_EQ(load(*visio, "drawing.vsdx", "ro.vsdx"), true);
    EXPECT_TRUE(platform::InputGuard::rightClickInControlOnly());
    EXPECT_FALSE(rightClickPasses(visio->Viewer()->viewport()));
    EXPECT_TRUE(rightClickPasses(&elsewhere));
    EXPECT_TRUE(visio->IsClipboardGuardActive());
    visio->CloseOleObject();
    EXPECT_FALSE(visio->IsClipboardGuardActive());
    visio.reset();
    EXPECT_TRUE(rightClickPasses(&elsewhere));
}

// Print without the right does nothing; a read-only drawing with a virtual printer installed
// is refused with the message, whatever the default printer is.
TEST_F(DrawingsTest, PrintingGoesThroughThePrintGate) {
    platform::setPrinterSource(
        std::make_unique<platform::FixedPrinterSource>(std::vector<platform::PrinterInfo>{
            {u"Office laser"_s, u"socket://10.0.0.5"_s, u"HP LaserJet 4250"_s, true},
            {u"PDF"_s, u"cups-pdf:/"_s, u"Generic CUPS-PDF Printer"_s, false}}));
    auto visio = newForm<TVsdPreviewFrm>(true);
    ASSERT_EQ(load(*visio, "drawing.vsdx", "p.vsdx"), true);
    EXPECT_FALSE(visio->ToolBar().print->isVisible());
    visio->Print({});
    EXPECT_TRUE(visio->messages.isEmpty());
    visio->SetCanPrint(true);
    visio->Print({});
    EXPECT_EQ(visio->messages,
              QStringList{u"Print function is forbidden because there is virtual printer in the "
                          u"local computer."_s});
    auto project = newForm<TMppPreviewFrm>(true);
    project->SetCanPrint(true);
    project->Print({});  // nothing loaded: nothing to print, nothing refused
    EXPECT_TRUE(project->messages.isEmpty());
    platform::setPrinterSource(nullptr);
}

}  // namespace

}  // namespace ov::test
