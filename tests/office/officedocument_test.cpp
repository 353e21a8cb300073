#include "platform/officedocument.h"

#include "officetestsupport.h"

#include <gtest/gtest.h>
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

using namespace Qt::StringLiterals;
using namespace std::chrono_literals;
using ov::platform::DocumentOperations;
using ov::platform::OfficeInstallation;
using ov::platform::OfficeOperation;
using ov::platform::OfficeResult;
using ov::platform::OfficeStatus;
using ov::platform::runDocumentOperations;

namespace {

// The tracked fixtures hold "Basetext ", an insertion "Addedword " and a deletion "Strikeword ".
class OfficeDocumentTest : public ::testing::Test {
protected:
    void SetUp() override {
        const auto found = ov::test::realLibreOffice();
        if (!found || found->python.isEmpty())
            GTEST_SKIP() << "no LibreOffice with its Python bridge";
        office = *found;
        QDir().mkpath(root());
        socketsBefore = ov::test::staleOfficeSockets();
    }

    QString root() const { return work.filePath(u"root"_s); }
    QString file(const QString& name) const { return files.filePath(name); }

    QString copyOf(const QString& fixture) const {
        const QString copy = file(fixture);
        QFile::copy(ov::test::officeFixture(fixture), copy);
        QFile(copy).setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner);
        return copy;
    }

    OfficeResult run(const QString& document, std::vector<OfficeOperation> operations) {
        return runDocumentOperations(office, {document, std::move(operations), 120s, root()});
    }

    void expectNothingLeft() const {
        EXPECT_EQ(ov::test::entriesBelow(root()), QStringList());
        EXPECT_EQ(ov::test::processesMentioning(root()), 0);
        EXPECT_EQ(ov::test::staleOfficeSockets(), socketsBefore);
    }

    OfficeInstallation office;
    QStringList socketsBefore;
    QTemporaryDir work;
    QTemporaryDir files;
};

// Accepting keeps the inserted text, drops the deleted one and leaves no revision marks; tried
// in place on OpenDocument text (accept, stop tracking, hide, save) and as the copy under a
// ".tmp" name that a revised upload sends, made from a Word document.
TEST_F(OfficeDocumentTest, AcceptingAllRevisionsRemovesThem) {
    const QString odt = copyOf(u"tracked.odt"_s);
    ASSERT_TRUE(ov::test::zipEntry(odt, "content.xml").contains("<text:tracked-changes"));
    OfficeResult result = run(odt, ov::platform::acceptRevisionsOperations());
    ASSERT_EQ(result.status, OfficeStatus::Ok) << result.message.toStdString();
    const QByteArray content = ov::test::zipEntry(odt, "content.xml");
    EXPECT_FALSE(content.contains("changed-region"));
    EXPECT_TRUE(content.contains("Addedword"));
    EXPECT_FALSE(content.contains("Strikeword"));

    const QString docx = copyOf(u"tracked.docx"_s);
    const QString target = docx + u".tmp"_s;
    result = run(docx, {OfficeOperation::acceptAllRevisions(), OfficeOperation::saveAs(target)});
    ASSERT_EQ(result.status, OfficeStatus::Ok) << result.message.toStdString();
    const QByteArray body = ov::test::zipEntry(target, "word/document.xml");
    EXPECT_TRUE(body.contains("Addedword"));
    EXPECT_FALSE(body.contains("Strikeword"));
    EXPECT_FALSE(body.contains("<w:ins ") || body.contains("<w:del "));
    // The document itself was not saved: its revisions are still there.
    EXPECT_TRUE(ov::test::zipEntry(docx, "word/document.xml").contains("<w:del "));
    expectNothingLeft();
}

// Showing or hiding revisions changes what the document shows (its PDF), and tracking is
// stored with the document.
TEST_F(OfficeDocumentTest, TrackingAndShowingRevisions) {
    const QString odt = copyOf(u"tracked.odt"_s);
    const OfficeResult result = run(
        odt,
        {OfficeOperation::trackRevisions(false), OfficeOperation::save(),
         OfficeOperation::showRevisions(true), OfficeOperation::exportPdf(file(u"on.pdf"_s)),
         OfficeOperation::showRevisions(false), OfficeOperation::exportPdf(file(u"off.pdf"_s))});
    ASSERT_EQ(result.status, OfficeStatus::Ok) << result.message.toStdString();
    EXPECT_TRUE(ov::test::zipEntry(odt, "content.xml").contains("text:track-changes=\"false\""));
    const auto shown = ov::test::toolOutput(u"pdftotext"_s, {file(u"on.pdf"_s), u"-"_s});
    const auto hidden = ov::test::toolOutput(u"pdftotext"_s, {file(u"off.pdf"_s), u"-"_s});
    ASSERT_TRUE(shown && hidden);
    EXPECT_TRUE(shown->contains(u"Strikeword"_s));
    EXPECT_FALSE(hidden->contains(u"Strikeword"_s));
    EXPECT_TRUE(hidden->contains(u"Addedword"_s));
}

QByteArray digest(const QString& fileName) {
    QFile file(fileName);
    file.open(QIODevice::ReadOnly);
    return QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha256);
}

// Revisions of a spreadsheet cannot be handled: a failure with the reason, and the save that
// was to follow is not done.
TEST_F(OfficeDocumentTest, RevisionsOfASpreadsheetFailAndNothingIsSaved) {
    const QString xlsx = copyOf(u"sheet.xlsx"_s);
    const QByteArray before = digest(xlsx);
    const OfficeResult result = run(xlsx, ov::platform::acceptRevisionsOperations());
    EXPECT_EQ(result.status, OfficeStatus::Failed);
    EXPECT_TRUE(result.message.contains(u"text documents only"_s)) << result.message.toStdString();
    EXPECT_EQ(digest(xlsx), before);
    expectNothingLeft();
}

// Stopped while the office is starting (its sockets are there by then): the script, the office
// and their sockets go.
TEST_F(OfficeDocumentTest, ATimeOutStopsTheOfficeAndLeavesNothing) {
    const QString odt = copyOf(u"tracked.odt"_s);
    const OfficeResult result = runDocumentOperations(
        office, {odt, ov::platform::acceptRevisionsOperations(), 1500ms, root()});
    EXPECT_EQ(result.status, OfficeStatus::TimedOut);
    expectNothingLeft();
}

TEST(OfficeDocumentRequestTest, RefusesWhatCannotBeDone) {
    QTemporaryDir dir;
    const QString document = dir.filePath(u"a.odt"_s);
    QFile::copy(ov::test::officeFixture(u"tracked.odt"_s), document);
    OfficeInstallation noBridge;
    noBridge.program = u"/bin/true"_s;
    EXPECT_EQ(runDocumentOperations(noBridge, {document, {OfficeOperation::save()}}).status,
              OfficeStatus::NotInstalled);
    if (const auto office = ov::test::realLibreOffice()) {
        EXPECT_EQ(runDocumentOperations(*office, {dir.filePath(u"none.odt"_s), {}}).status,
                  OfficeStatus::Failed);
        EXPECT_EQ(runDocumentOperations(*office, {document, {OfficeOperation::saveAs({})}}).status,
                  OfficeStatus::Failed);
    }
}

}  // namespace
