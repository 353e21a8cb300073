#include "platform/officeconvert.h"
#include "platform/officejob.h"
#include "platform/officeprocess.h"

#include "officetestsupport.h"

#include <gtest/gtest.h>
#include <QCoreApplication>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>

#include <chrono>
#include <thread>

using namespace Qt::StringLiterals;
using namespace std::chrono_literals;
using ov::platform::convertToPdf;
using ov::platform::OfficeInstallation;
using ov::platform::OfficeJob;
using ov::platform::OfficeResult;
using ov::platform::OfficeStatus;
using ov::platform::PdfConversion;

namespace {

struct Sample {
    const char* fixture;
    const char* copiedAs;  // the name the test gives the document
    const char* text;      // a word the document shows
    int pages;
};

class OfficeConvertTest : public ::testing::Test {
protected:
    void SetUp() override {
        const auto found = ov::test::realLibreOffice();
        if (!found) GTEST_SKIP() << "no LibreOffice";
        office = *found;
        socketsBefore = ov::test::staleOfficeSockets();
    }

    // The job's work root, and where the PDFs go.
    QString root() const { return work.filePath(u"root"_s); }
    QString out(const QString& name) const { return out_.filePath(name); }

    PdfConversion conversion(const QString& document, const QString& pdf) const {
        QDir().mkpath(root());
        return {document, pdf, 120s, root()};
    }

    // Nothing of a finished job may be left: no file, no process, no socket.
    void expectNothingLeft() const {
        EXPECT_EQ(ov::test::entriesBelow(root()), QStringList());
        EXPECT_EQ(ov::test::processesMentioning(root()), 0);
        EXPECT_EQ(ov::test::staleOfficeSockets(), socketsBefore);
    }

    QString pdfOf(const Sample& sample) const {
        return out(QString::fromUtf8(sample.fixture) + u".pdf"_s);
    }

    OfficeInstallation office;
    QStringList socketsBefore;
    QTemporaryDir work;
    QTemporaryDir out_;
};

// The three kinds of documents, converted at the same time, each by its own office: none meets
// another. The Word one goes under a name with spaces, Chinese and a "#".
TEST_F(OfficeConvertTest, ConvertsWordExcelAndPowerPointDocumentsAtOnce) {
    const Sample samples[] = {{"letter.docx", "季度 报告 #1.docx", "Wordfixture", 1},
                              {"sheet.xlsx", "sheet.xlsx", "Sheetfixture", 1},
                              {"slides.pptx", "slides.pptx", "Slidefixture", 2}};
    OfficeResult results[3];
    {
        std::vector<std::jthread> threads;
        for (int i = 0; i < 3; ++i) {
            const QString document = out(QString::fromUtf8(samples[i].copiedAs));
            ASSERT_TRUE(QFile::copy(ov::test::officeFixture(QString::fromUtf8(samples[i].fixture)),
                                    document));
            const PdfConversion job = conversion(document, pdfOf(samples[i]));
            threads.emplace_back(
                [this, job, &result = results[i]] { result = convertToPdf(office, job); });
        }
    }
    for (int i = 0; i < 3; ++i) {
        SCOPED_TRACE(samples[i].fixture);
        ASSERT_EQ(results[i].status, OfficeStatus::Ok) << results[i].message.toStdString();
        const auto text = ov::test::toolOutput(u"pdftotext"_s, {pdfOf(samples[i]), u"-"_s});
        ASSERT_TRUE(text) << "pdftotext missing: run scripts/install-deps";
        EXPECT_TRUE(text->contains(QString::fromUtf8(samples[i].text)));
        EXPECT_EQ(ov::test::pdfPages(pdfOf(samples[i])), samples[i].pages);
    }
    expectNothingLeft();
}

// A document the office cannot read (it still ends with success then): a failure with the
// office's reason, the old file at the target left alone, nothing left behind.
TEST_F(OfficeConvertTest, ADamagedDocumentFailsWithoutLeavingFiles) {
    const QString document = out(u"damaged.docx"_s);
    QFile damaged(document);
    ASSERT_TRUE(damaged.open(QIODevice::WriteOnly));
    damaged.write(QByteArray("PK\x03\x04 this is no document ") + QByteArray(4000, 'x'));
    damaged.close();
    const QString pdf = out(u"damaged.pdf"_s);
    QFile old(pdf);
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("old");
    old.close();

    const OfficeResult result = convertToPdf(office, conversion(document, pdf));
    EXPECT_EQ(result.status, OfficeStatus::Failed);
    EXPECT_TRUE(result.message.contains(u"could not be loaded"_s)) << result.message.toStdString();
    ASSERT_TRUE(old.open(QIODevice::ReadOnly));
    EXPECT_EQ(old.readAll(), "old");
    expectNothingLeft();
}

TEST_F(OfficeConvertTest, ATimeOutStopsTheOfficeAndLeavesNothing) {
    PdfConversion slow = conversion(ov::test::officeFixture(u"letter.docx"_s), out(u"t.pdf"_s));
    slow.timeLimit = 300ms;
    const OfficeResult result = convertToPdf(office, slow);
    EXPECT_EQ(result.status, OfficeStatus::TimedOut);
    EXPECT_LT(result.elapsedMs, 10000);
    EXPECT_FALSE(QFile::exists(out(u"t.pdf"_s)));
    expectNothingLeft();
}

// Cancelled through the asynchronous job once the office is up (its instance socket exists):
// the whole office goes, its socket included, and the job reports Cancelled.
TEST_F(OfficeConvertTest, CancellingARunningJobStopsTheOffice) {
    int argc = 1;
    char name[] = "test_office";
    char* argv[] = {name, nullptr};
    QCoreApplication app(argc, argv);
    OfficeJob job;
    std::optional<OfficeResult> result;
    QEventLoop loop;
    QObject::connect(&job, &OfficeJob::finished, &loop, [&](const OfficeResult& r) {
        result = r;
        loop.quit();
    });
    ASSERT_TRUE(job.startConversion(
        office, conversion(ov::test::officeFixture(u"slides.pptx"_s), out(u"c.pdf"_s))));
    EXPECT_FALSE(job.startConversion(office, conversion({}, {})));  // one at a time

    // Wait for the office's socket, then cancel.
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        const QStringList jobs = QDir(root()).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
        if (jobs.size() != 1) return;
        const QString pipe = ov::platform::officeInstancePipeName(
            ov::platform::officeProfileUrl(root() + u'/' + jobs[0] + u"/profile"_s));
        if (ov::test::officeSockets().filter(pipe).size() == 1) job.cancel();
    });
    poll.start(10);
    QTimer::singleShot(60000, &loop, &QEventLoop::quit);
    loop.exec();

    ASSERT_TRUE(result);
    EXPECT_EQ(result->status, OfficeStatus::Cancelled);
    EXPECT_FALSE(job.isRunning());
    EXPECT_FALSE(QFile::exists(out(u"c.pdf"_s)));
    expectNothingLeft();
}

TEST(OfficeConvertRequestTest, RefusesWhatCannotBeConverted) {
    OfficeInstallation none;  // no program
    QTemporaryDir dir;
    const PdfConversion missingDocument{dir.filePath(u"none.docx"_s), dir.filePath(u"x.pdf"_s)};
    EXPECT_EQ(convertToPdf(none, missingDocument).status, OfficeStatus::NotInstalled);
    if (const auto office = ov::test::realLibreOffice()) {
        EXPECT_EQ(convertToPdf(*office, missingDocument).status, OfficeStatus::Failed);
    }
}

}  // namespace
