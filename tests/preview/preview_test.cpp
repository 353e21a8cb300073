// The preview sequence of the base form against the test server: the temporary copy, the
// hand-over to the viewer or the error in the hint window, the check of the viewer first, and
// no copy left behind by a failed download or a form freed while it downloads.

#include "fixture.h"

#include "core/filetype.h"
#include "core/paths.h"
#include "core/resultcode.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTest>

using namespace ov;
using namespace ov::test;
using namespace Qt::StringLiterals;

namespace {

class PreviewSequence : public PreviewTest {
protected:
    PreviewSequence() { files.setContent(demo::ReportFile, content); }
    QStringList TempFiles() const {
        return QDir(GetLocalTempPath()).entryList(QDir::Files | QDir::Hidden);
    }
    const QByteArray content = QByteArray("%PDF-1.4 preview body ").repeated(20000);
    const int pdf = FileExtToCode(u"pdf"_s);
};

TEST_F(PreviewSequence, CopyIsNamedByTheTimeAndHandedToTheViewer) {
    TPreViewHint hint(HSL_ENG, nullptr);
    RecordingPreview form;
    form.PreViewHintFrm = &hint;
    form.PreviewEx(pdf, -1, demo::ReportFile);
    // The user interface is not held while the file comes.
    EXPECT_TRUE(form.IsDownloading());
    EXPECT_EQ(hint.HintText(), u"Downloading Data, please wait..."_s);
    EXPECT_TRUE(hint.ShowsWaitPicture());
    ASSERT_EQ(form.WaitForPreview(), true);

    EXPECT_EQ(form.loadedType, pdf);
    EXPECT_EQ(form.loadedName, form.LocalFilename());
    EXPECT_EQ(form.loadedData, content);
    const QFileInfo copy(form.LocalFilename());
    EXPECT_EQ(copy.absolutePath() + u'/', GetLocalTempPath());
    EXPECT_TRUE(QRegularExpression(u"^\\d{13,15}\\.pdf$"_s).match(copy.fileName()).hasMatch())
        << copy.fileName().toStdString();
    EXPECT_EQ(copy.permissions(),
              QFile::ReadOwner | QFile::WriteOwner | QFile::ReadUser | QFile::WriteUser);
    EXPECT_EQ(TempFiles(), QStringList{copy.fileName()});
    EXPECT_EQ(form.FileId(), demo::ReportFile);
}

TEST_F(PreviewSequence, PreviewsStartedTogetherKeepCopiesOfTheirOwn) {
    RecordingPreview first;
    RecordingPreview second;
    first.PreviewEx(pdf, -1, demo::ReportFile);
    second.PreviewEx(pdf, -1, demo::ReportFile);
    ASSERT_EQ(first.WaitForPreview(), true);
    if (second.IsDownloading()) {
        ASSERT_EQ(second.WaitForPreview(), true);
    }
    EXPECT_NE(first.LocalFilename(), second.LocalFilename());
    EXPECT_EQ(ReadAll(first.LocalFilename()), content);
    EXPECT_EQ(ReadAll(second.LocalFilename()), content);
}

TEST_F(PreviewSequence, FailedDownloadShowsTheServersReasonAndLeavesNoCopy) {
    TPreViewHint hint(HSL_ENG, nullptr);
    RecordingPreview form;
    form.PreViewHintFrm = &hint;
    form.PreviewEx(pdf, -1, demo::PriceFile);  // the demo user may not see it
    ASSERT_EQ(form.WaitForPreview(), false);
    QString expected;
    GetResultCodeText(RC_NoPower, HSL_ENG, expected);
    EXPECT_EQ(hint.HintText(), expected);
    EXPECT_TRUE(hint.ShowsErrorPicture());
    EXPECT_FALSE(hint.ShowsWaitPicture());
    EXPECT_TRUE(form.loadedName.isEmpty());
    EXPECT_TRUE(TempFiles().isEmpty()) << TempFiles().join(u' ').toStdString();
}

TEST_F(PreviewSequence, ShowHtmlDownloadsOnlyWhenTheViewerIsThere) {
    RecordingPreview missing;
    missing.viewerInstalled = false;
    missing.ShowHTML(pdf, -1, demo::ReportFile);
    EXPECT_EQ(missing.checks, 0) << "the viewer is checked after a short wait";
    QTRY_COMPARE(missing.checks, 1);
    QTest::qWait(100);
    EXPECT_FALSE(missing.IsDownloading());
    EXPECT_TRUE(files.transfers().empty());

    RecordingPreview present;
    present.ShowHTML(pdf, 2, demo::ReportFile);
    ASSERT_EQ(present.WaitForPreview(), true);
    EXPECT_EQ(present.loadedData, content);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !files.transfers().empty(); }, 5000));
    EXPECT_TRUE(files.transfers().at(0).params.endsWith(u"[Versionid]2[/Versionid]"_s));
}

TEST_F(PreviewSequence, FormFreedWhileDownloadingTakesItsCopyAlong) {
    auto form = std::make_unique<RecordingPreview>();
    form->PreviewEx(pdf, -1, demo::ReportFile);
    ASSERT_TRUE(form->IsDownloading());
    form.reset();
    PreviewThreadPool().waitForDone();
    QCoreApplication::processEvents();
    EXPECT_TRUE(TempFiles().isEmpty()) << TempFiles().join(u' ').toStdString();
}

// The download has ended and its hand-over is posted, but the form goes or starts another
// preview before the hand-over runs: the copy nobody will load is deleted.
TEST_F(PreviewSequence, CopyWhoseHandOverNeverRunsIsDeleted) {
    auto form = std::make_unique<RecordingPreview>();
    form->PreviewEx(pdf, -1, demo::ReportFile);
    PreviewThreadPool().waitForDone();  // no event loop ran: the hand-over waits
    ASSERT_EQ(TempFiles().size(), 1);
    form.reset();
    EXPECT_TRUE(TempFiles().isEmpty()) << TempFiles().join(u' ').toStdString();

    RecordingPreview again;
    again.PreviewEx(pdf, -1, demo::ReportFile);
    PreviewThreadPool().waitForDone();
    const QString first = again.LocalFilename();
    again.PreviewEx(pdf, -1, demo::ReportFile);
    ASSERT_EQ(again.WaitForPreview(), true);
    EXPECT_NE(again.loadedName, first);
    EXPECT_EQ(TempFiles(), QStringList{QFileInfo(again.LocalFilename()).fileName()});
}

TEST_F(PreviewSequence, DownloadFile2GivesTheCopyOrRemovesIt) {
    RecordingPreview form;
    QString dest;
    QString error;
    ASSERT_TRUE(form.DownloadFile2(demo::ReportFile, -1, u".dwg"_s, dest, error))
        << error.toStdString();
    EXPECT_TRUE(dest.startsWith(form.Root()));
    EXPECT_TRUE(dest.endsWith(u".dwg"_s));
    EXPECT_EQ(ReadAll(dest), content);
    QFile::remove(dest);

    NextTransfer next;
    next.fault = {FileFault::Kind::Cut, 5000};
    files.setNext(next);
    EXPECT_FALSE(form.DownloadFile2(demo::ReportFile, -1, u".dwg"_s, dest, error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_TRUE(TempFiles().isEmpty()) << TempFiles().join(u' ').toStdString();
}

}  // namespace
