// The office previewer with the machine's LibreOffice against the test server: real Word,
// Excel and PowerPoint documents converted and shown, find, the navigation pane, revisions,
// printing, the accepted upload and the failures of the conversion.

#include "core/filechannel.h"
#include "core/filetype.h"
#include "documents/office/officepreviewnav.h"
#include "documents/office/officepreviewupload.h"
#include "officetestsupport.h"
#include "platform/widgets/systemprinters.h"
#include "platform/officeconverter.h"
#include "previewfixture.h"

#include <QClipboard>
#include <QFile>
#include <QGuiApplication>
#include <QLineEdit>
#include <QPrinter>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

using namespace Qt::StringLiterals;
using namespace std::chrono_literals;

namespace ov::test {

namespace {

class OfficeViewTest : public OfficePreviewTest {
protected:
    void SetUp() override {
        const auto office = realLibreOffice();
        if (!office || office->python.isEmpty())
            GTEST_SKIP() << "no LibreOffice with its Python bridge";
    }

    bool find(RecordingOfficePreview& preview, const QString& text) {
        preview.EditFind();
        preview.FindBar()->field()->setText(text);
        return preview.FindBar()->findNext();
    }

    bool waitRevisions(RecordingOfficePreview& preview) {
        QSignalSpy done(&preview, &TOfficeFilePreviewFrm::revisionsDone);
        return done.wait(180000) && done.first().first().toBool();
    }

    QStringList outlineTitles(const RecordingOfficePreview& preview) {
        QStringList titles;
        for (int i = 0; i < preview.NavPane()->topLevelItemCount(); ++i)
            titles << preview.NavPane()->topLevelItem(i)->text(0);
        return titles;
    }
};

// A Word document with headings and tracked changes: shown with its revisions, found, its
// headings in the navigation pane; revisions hidden on request; printed and previewed with one
// report each; then accepted and uploaded as a new version in the exact form of the request.
TEST_F(OfficeViewTest, WordDocumentFromShowingToTheAcceptedVersion) {
    auto preview = newPreview();
    preview->SetCanPrint(true);
    ASSERT_TRUE(show(*preview, "docx", demo::TrackedWordFile)) << hint->HintText().toStdString();
    platform::DocumentViewer* viewer = preview->Viewer();
    EXPECT_EQ(viewer->pageCount(), 1);
    EXPECT_FALSE(hint->isVisible());
    EXPECT_EQ(temporaryFiles(*preview), QStringList{QFileInfo(preview->LocalFilename()).fileName()})
        << "only the downloaded copy stays while it is shown";

    EXPECT_TRUE(find(*preview, u"Strikeword"_s));
    EXPECT_TRUE(find(*preview, u"paymentclause"_s));
    EXPECT_EQ(viewer->matchPage(), 1);
    EXPECT_FALSE(find(*preview, u"nowhere in it"_s));

    preview->NavPaneVisible(true);
    EXPECT_TRUE(preview->NavPane()->isVisible());
    QCoreApplication::processEvents();
    EXPECT_GT(preview->NavPane()->width(), 100) << "the pane has room beside the document";
    EXPECT_EQ(outlineTitles(*preview), (QStringList{u"Contract terms"_s, u"Payment"_s}));
    preview->NavPaneVisible(false);
    EXPECT_FALSE(preview->NavPane()->isVisible());

    preview->ShowRevisions(false);
    ASSERT_TRUE(waitRevisions(*preview)) << preview->messages.join(u'\n').toStdString();
    EXPECT_FALSE(find(*preview, u"Strikeword"_s));
    EXPECT_TRUE(find(*preview, u"Addedword"_s));

    const QString printed = home.file(u"printed.pdf"_s);
    viewer->setPrintDialogRunner([&](QPrinter& printer, QWidget*, bool) {
        printer.setOutputFileName(printed);
        return true;
    });
    preview->Print({});
    EXPECT_TRUE(QFile::exists(printed));
    preview->PrintPreview();
    ASSERT_TRUE(preview->PrintPreviewDialog());
    EXPECT_TRUE(preview->PrintPreviewDialog()->isVisible());
    preview->PrintPreviewExit();
    EXPECT_EQ(reports(2), (std::vector<std::int32_t>{62, 63}));

    files.clearTransfers();
    EXPECT_EQ(preview->RevisionAndUpload(), u"ok"_s);
    const QByteArray stored = files.content(demo::TrackedWordFile);
    QFile copy(home.file(u"stored.docx"_s));
    ASSERT_TRUE(copy.open(QIODevice::WriteOnly));
    copy.write(stored);
    copy.close();
    const QByteArray body = zipEntry(copy.fileName(), "word/document.xml");
    EXPECT_TRUE(body.contains("Addedword"));
    EXPECT_FALSE(body.contains("Strikeword"));
    EXPECT_FALSE(body.contains("<w:ins ") || body.contains("<w:del "));
    {
        std::lock_guard lock(model.mutex);
        EXPECT_EQ(model.file(demo::TrackedWordFile)->version, 2);
    }
    ASSERT_TRUE(QTest::qWaitFor([&] { return !files.transfers().empty(); }, 5000));
    const auto transfers = files.transfers();
    ASSERT_EQ(transfers.size(), 1u);
    const FileTransferRecord& upload = transfers[0];
    EXPECT_EQ(upload.command, FC_UploadFile2);
    const QString expected = u"[EncryptCode]"_s + demo::DemoToken() +
                             u"[/EncryptCode][Key]1901[/Key][Size]"_s +
                             QString::number(stored.size()) + u"[/Size][ModifyDate]"_s;
    EXPECT_TRUE(upload.params.startsWith(expected)) << upload.params.toStdString();
    EXPECT_TRUE(upload.params.endsWith(u"[/ModifyDate][language]1[/language]"_s +
                                       revisionUploadExtraText()))
        << upload.params.toStdString();
    EXPECT_EQ(upload.start, 0);
    EXPECT_EQ(upload.count, stored.size());
    EXPECT_EQ(upload.end, FileOverMark);
    // The viewer is closed; the accepted copy is gone.
    EXPECT_FALSE(viewer->isLoaded());
    EXPECT_FALSE(QFile::exists(preview->LocalFilename() + u".tmp"_s));
    preview->CloseOleObject();
    EXPECT_EQ(temporaryFiles(*preview), QStringList());
}

// A spreadsheet and a presentation are shown and searchable; a spreadsheet's revisions cannot
// be accepted: the failure is shown and nothing is uploaded.
TEST_F(OfficeViewTest, SpreadsheetAndPresentation) {
    auto sheet = newPreview(true);
    ASSERT_TRUE(show(*sheet, "xlsx", demo::SheetFile)) << hint->HintText().toStdString();
    EXPECT_TRUE(sheet->Viewer()->isReadOnly());
    EXPECT_TRUE(find(*sheet, u"Sheetfixture"_s));
    files.clearTransfers();
    EXPECT_EQ(sheet->RevisionAndUpload(), QString());
    ASSERT_EQ(sheet->messages.size(), 1);
    EXPECT_TRUE(sheet->messages[0].startsWith(u"Alert: "_s)) << sheet->messages[0].toStdString();
    EXPECT_TRUE(files.transfers().empty());
    EXPECT_TRUE(sheet->Viewer()->isLoaded()) << "a failed operation leaves the document shown";
    sheet->CloseOleObject();
    EXPECT_EQ(temporaryFiles(*sheet), QStringList());

    // With WPS serving presentations, a read-only one keeps the clipboard empty of anything
    // while it is shown, unless copying is allowed; once the host has maximised the form
    // (ClientMax2) the guard stops.
    platform::OfficeInstallation wps;
    wps.suite = platform::OfficeSuite::Wps;
    wps.program = u"/nonexistent/wps"_s;
    wps.version = QVersionNumber(11, 1);
    wps.powerPoint = true;
    auto slides = newPreview(true);
    slides->SetOfficeSuites({*realLibreOffice(), wps});
    ASSERT_TRUE(show(*slides, "pptx", demo::SlidesFile)) << hint->HintText().toStdString();
    EXPECT_EQ(slides->Gate().platform, OfficePlatform::Wps);
    EXPECT_EQ(slides->Viewer()->pageCount(), 2);
    EXPECT_TRUE(find(*slides, u"Slide two"_s));
    EXPECT_EQ(slides->Viewer()->matchPage(), 2);

    QClipboard* clipboard = QGuiApplication::clipboard();
    const auto clipboardAfterTicks = [&](const QString& copied) {
        clipboard->setText(copied);
        QTest::qWait(1000);
        return clipboard->text();
    };
    EXPECT_NE(clipboardAfterTicks(u"copied"_s), u"copied"_s);
    SetAllowCtrlC(true);
    EXPECT_EQ(clipboardAfterTicks(u"allowed"_s), u"allowed"_s);
    SetAllowCtrlC(false);
    slides->ClientMax2();
    EXPECT_FALSE(slides->IsTimerActive());
    EXPECT_EQ(clipboardAfterTicks(u"after"_s), u"after"_s);
}

// A conversion that takes too long and one of a damaged file: the failure in the hint window,
// no PDF, nothing of the office and no downloaded copy left. A document shown before on the
// same form does not pass for the damaged one, and its copy goes when the next one arrives.
TEST_F(OfficeViewTest, FailedConversionsShowTheFailureAndLeaveNothing) {
    // An office of its own that has yet to start: the limit ends its start.
    QTemporaryDir officeRoot;
    auto slow = newPreview();
    slow->SetOfficeConverter(std::make_shared<platform::WarmOfficeConverter>(
        *platform::findOfficeSuite(platform::OfficeSuite::LibreOffice), officeRoot.path()));
    slow->SetOfficeTimeLimit(1500ms);
    EXPECT_FALSE(show(*slow, "docx", demo::TrackedWordFile));
    EXPECT_TRUE(hint->ShowsErrorPicture());
    EXPECT_TRUE(hint->HintText().contains(u"took longer"_s)) << hint->HintText().toStdString();
    EXPECT_EQ(temporaryFiles(*slow), QStringList());
    EXPECT_EQ(processesMentioning(officeRoot.path()), 0);
    slow->CloseOleObject();
    EXPECT_EQ(temporaryFiles(*slow), QStringList());

    files.setContent(demo::ManualFile, QByteArray("PK\x03\x04", 4) + QByteArray(3000, '\x5a'));
    auto damaged = newPreview();
    ASSERT_TRUE(show(*damaged, "docx", demo::TrackedWordFile)) << hint->HintText().toStdString();
    EXPECT_FALSE(show(*damaged, "docx", demo::ManualFile));
    EXPECT_EQ(temporaryFiles(*damaged), QStringList());
    EXPECT_TRUE(hint->ShowsErrorPicture());
    EXPECT_TRUE(hint->HintText().startsWith(u"The document cannot be shown: "_s))
        << hint->HintText().toStdString();
    EXPECT_FALSE(damaged->Viewer()->isLoaded());
    damaged.reset();  // destroyed without CloseOleObject: the copy goes all the same
    EXPECT_EQ(QDir(QFileInfo(slow->LocalFilename()).path())
                  .entryList(QDir::NoDotAndDotDot | QDir::AllEntries),
              QStringList());
}

// The user interface goes on while the office converts, and a previewer freed in the middle
// stops the office and leaves neither its copy nor the office's files behind.
TEST_F(OfficeViewTest, FreedDuringTheConversion) {
    // An office of its own that has yet to start, so that the conversion takes seconds.
    QTemporaryDir officeRoot;
    auto preview = newPreview();
    preview->SetOfficeConverter(std::make_shared<platform::WarmOfficeConverter>(
        *platform::findOfficeSuite(platform::OfficeSuite::LibreOffice), officeRoot.path()));
    QSignalSpy shown(preview.get(), &TOfficeFilePreviewFrm::documentShown);
    preview->ShowHTML(FileExtToCode(u"docx"_s), -1, demo::TrackedWordFile);
    ASSERT_TRUE(QTest::qWaitFor([&] { return preview->IsOfficeBusy(); }, 30000));
    int ticks = 0;
    QTimer ticker;
    QObject::connect(&ticker, &QTimer::timeout, [&] { ++ticks; });
    ticker.start(20);
    ASSERT_TRUE(QTest::qWaitFor([&] { return ticks >= 5 || !preview->IsOfficeBusy(); }, 10000));
    EXPECT_GE(ticks, 5) << "the event loop runs while the office works";
    ASSERT_TRUE(preview->IsOfficeBusy());
    const QString root = preview->rootFolder();
    preview.reset();
    EXPECT_TRUE(shown.isEmpty());
    EXPECT_EQ(QDir(root).entryList(QDir::NoDotAndDotDot | QDir::AllEntries | QDir::Hidden),
              QStringList());
    EXPECT_EQ(processesMentioning(root), 0);
    EXPECT_EQ(processesMentioning(officeRoot.path()), 0);
}

}  // namespace

}  // namespace ov::test
