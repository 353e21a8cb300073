// Prints and print previews are reported to the server only once they have started, with the
// text the server expects; the virtual-printer tests follow the form's switch.

#include "fixture.h"

#include "platform/widgets/systemprinters.h"

#include <QPrinter>

using namespace ov;
using namespace ov::test;
using namespace Qt::StringLiterals;
using PrintResult = ov::platform::DocumentViewer::PrintResult;

namespace {

// A previewer that prints with the built-in viewer; the print dialog is played by the test.
class PrintingPreview : public RecordingPreview {
public:
    PrintingPreview() {
        viewer = new platform::DocumentViewer(this);
        viewer->setPrintDialogRunner([this](QPrinter& printer, QWidget*, bool) {
            if (!confirm) return false;
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(output);
            return true;
        });
        FFileId = demo::ReportFile;
    }
    void Print(const QString&) override { result = PrintWithViewer(viewer); }
    void PrintPreview() override { ReportPrintPreview(); }

    platform::DocumentViewer* viewer;
    bool confirm = true;
    QString output;
    PrintResult result = PrintResult::Failed;
};

class PrintReports : public PreviewTest {
protected:
    PrintReports() {
        pdf = home.file(u"doc.pdf"_s);
        writeChinesePdf(pdf, 2);
    }
    ~PrintReports() override { platform::setPrinterSource(nullptr); }

    static void UsePrinters(std::vector<platform::PrinterInfo> list) {
        platform::setPrinterSource(std::make_unique<platform::FixedPrinterSource>(list));
    }

    QString pdf;
};

TEST_F(PrintReports, OnlyAStartedPrintIsReported) {
    struct Case {
        const char* what;
        bool load;
        bool canPrint;
        bool confirm;
        PrintResult result;
    };
    const Case cases[] = {
        {"no document", false, true, true, PrintResult::NoDocument},
        {"no print right", true, false, true, PrintResult::Refused},
        {"dialog cancelled", true, true, false, PrintResult::Cancelled},
        {"printed", true, true, true, PrintResult::Printed},
    };
    UsePrinters({});
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        server.clearRequests();
        PrintingPreview form;
        if (c.load) {
            ASSERT_TRUE(form.viewer->loadFile(pdf));
        }
        form.SetCanPrint(c.canPrint);
        form.confirm = c.confirm;
        form.output = home.file(u"out.pdf"_s);
        form.Print(u"e"_s);
        EXPECT_EQ(form.result, c.result);
        const auto reports = RequestsOf(TT_WriteOprLog);
        EXPECT_EQ(reports.size(), c.result == PrintResult::Printed ? 1u : 0u);
        if (c.result == PrintResult::Printed) {
            EXPECT_EQ(reports.at(0).text(), u"[EncryptCode]"_s + demo::DemoToken() +
                                                u"[/EncryptCode][Filekey]2001[/Filekey]"_s +
                                                u"[Opr]62[/Opr]"_s);
        }
    }
    std::lock_guard lock(model.mutex);
    ASSERT_EQ(model.logs.size(), 1);
    EXPECT_EQ(model.logs[0].userId, demo::DemoUser);
    EXPECT_EQ(model.logs[0].key, demo::ReportFile);
    EXPECT_EQ(model.logs[0].opr, 62);
}

TEST_F(PrintReports, BaseFormReportsNothingAndPreviewsReportTheirOwn) {
    RecordingPreview base;
    base.Print(u"e"_s);
    base.PrintPreview();
    EXPECT_TRUE(RequestsOf(TT_WriteOprLog).empty());

    PrintingPreview form;
    form.PrintPreview();
    const auto reports = RequestsOf(TT_WriteOprLog);
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_TRUE(reports[0].text().endsWith(u"[Filekey]2001[/Filekey][Opr]63[/Opr]"_s));
}

TEST_F(PrintReports, ReadOnlyDocumentNeverReachesAVirtualPrinter) {
    UsePrinters({{u"Office"_s, u"socket://10.0.0.5"_s, u"HP LaserJet"_s, true},
                 {u"Writer"_s, u"cups-pdf:/"_s, u"Generic CUPS-PDF Printer"_s, false}});
    PrintingPreview form;
    ASSERT_TRUE(form.viewer->loadFile(pdf));
    form.SetCanPrint(true);
    form.SetDocReadonly(true);
    form.output = home.file(u"out.pdf"_s);
    EXPECT_TRUE(form.IsExistVirtualPrinter());
    EXPECT_FALSE(form.DefaultPrinterIsVirtual());
    form.Print(u"e"_s);
    EXPECT_EQ(form.result, PrintResult::Refused);
    EXPECT_TRUE(RequestsOf(TT_WriteOprLog).empty());

    // Without the test the class function still sees the virtual printer.
    form.SetIsCheckVirtualPrint(false);
    EXPECT_FALSE(form.IsExistVirtualPrinter());
    EXPECT_TRUE(TPreviewBaseFrm::HasVirtualPrinter());
    UsePrinters({{u"Writer"_s, u"cups-pdf:/"_s, u"Generic CUPS-PDF Printer"_s, true}});
    EXPECT_FALSE(form.DefaultPrinterIsVirtual());
    form.SetIsCheckVirtualPrint(true);
    EXPECT_TRUE(form.DefaultPrinterIsVirtual());
}

}  // namespace
