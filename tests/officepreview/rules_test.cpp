// The office previewer's gate messages and print rules, with no office at work: nothing is
// downloaded when the machine cannot show the file, and nothing is reported to the server
// unless a print or a print preview really started.

#include "core/filetype.h"
#include "platform/widgets/systemprinters.h"
#include "previewfixture.h"

#include <QSignalSpy>

using namespace Qt::StringLiterals;

namespace ov::test {

namespace {

platform::OfficeInstallation suite(platform::OfficeSuite kind, const char* version) {
    platform::OfficeInstallation office;
    office.suite = kind;
    office.program = u"/nonexistent/soffice"_s;
    office.version = QVersionNumber::fromString(QString::fromLatin1(version));
    office.word = office.excel = office.powerPoint = true;
    return office;
}

struct GateMessage {
    const char* ext;
    std::vector<platform::OfficeInstallation> suites;
    QString box;   // the message box, or
    QString hint;  // the hint window's text (with the error picture)
};

TEST_F(OfficePreviewTest, GateMessagesEndThePreviewBeforeAnyDownload) {
    using platform::OfficeSuite;
    const std::vector<GateMessage> cases = {
        {"docx", {}, {}, u"Need to install Office XP or later!"_s},
        {"et", {suite(OfficeSuite::LibreOffice, "7.4")}, u"hint: Need to install the WPS!"_s, {}},
        {"doc", {suite(OfficeSuite::Wps, "8.1")}, {}, u"Please upgrade the WPS to 2013 or later"_s},
        {"doc",
         {suite(OfficeSuite::Wps, "11.1")},
         u"hint: No permission to access files, run Internet Explorer as administrator."_s,
         {}},
        {"docx",
         {suite(OfficeSuite::LibreOffice, "")},
         {},
         u"Need to install Office XP or later!"_s},
    };
    for (const GateMessage& c : cases) {
        SCOPED_TRACE(c.ext);
        hint->hide();
        auto preview = newPreview();
        preview->SetOfficeSuites(c.suites);
        QSignalSpy done(preview.get(), &TOfficeFilePreviewFrm::documentShown);
        preview->ShowHTML(FileExtToCode(QString::fromLatin1(c.ext)), -1, demo::TrackedWordFile);
        ASSERT_EQ(done.size(), 1);
        EXPECT_FALSE(done.first().first().toBool());
        EXPECT_EQ(preview->messages, c.box.isEmpty() ? QStringList() : QStringList{c.box});
        if (!c.hint.isEmpty()) {
            EXPECT_EQ(hint->HintText(), c.hint);
            EXPECT_TRUE(hint->ShowsErrorPicture());
        }
        EXPECT_FALSE(preview->IsDownloading());
    }
    EXPECT_TRUE(files.transfers().empty());
}

TEST_F(OfficePreviewTest, PrintingIsRefusedOrNotReportedWithoutAPrint) {
    platform::setPrinterSource(
        std::make_unique<platform::FixedPrinterSource>(std::vector<platform::PrinterInfo>{
            {u"Office laser"_s, u"socket://10.0.0.5"_s, u"HP LaserJet 4250"_s, true},
            {u"PDF"_s, u"cups-pdf:/"_s, u"Generic CUPS-PDF Printer"_s, false}}));
    const QString refused =
        u"Hint: Print function is forbidden because there is virtual printer in the local computer."_s;
    auto preview = newPreview(true);  // read-only, nothing loaded

    preview->Print({});  // printing not allowed: nothing at all
    preview->PrintPreview();
    EXPECT_EQ(preview->messages, QStringList());

    preview->SetCanPrint(true);
    preview->Print({});  // the print dialog could pick the virtual printer
    preview->PrintPreview();
    EXPECT_EQ(preview->messages, (QStringList{refused, refused}));

    preview->messages.clear();
    preview->SetSelectPrinter(false);  // straight to the real default printer
    preview->Print({});
    preview->SetIsCheckVirtualPrint(false);
    preview->PrintPreview();
    preview->SetDocReadonly(false);
    preview->SetIsCheckVirtualPrint(true);
    preview->SetSelectPrinter(true);
    preview->Print({});
    preview->PrintPreview();
    EXPECT_EQ(preview->messages, QStringList());
    EXPECT_EQ(preview->PrintPreviewDialog(), nullptr);
    // Nothing was loaded, so nothing was printed or previewed, and nothing is reported.
    EXPECT_EQ(reports(1), std::vector<std::int32_t>());
    platform::setPrinterSource(nullptr);
}

}  // namespace

}  // namespace ov::test
