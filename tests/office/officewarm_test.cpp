// The warm converter against the machine's LibreOffice: one office serves many conversions,
// a killed office is replaced, a hanging one costs only its conversion's time limit.

#include "platform/officeconverter.h"
#include "platform/officejob.h"

#include "officetestsupport.h"

#include <gtest/gtest.h>
#include <QDir>
#include <QFile>
#include <QScopeGuard>
#include <QTemporaryDir>

#include <chrono>
#include <csignal>
#include <thread>

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

using namespace Qt::StringLiterals;
using namespace std::chrono_literals;
using ov::platform::OfficeResult;
using ov::platform::OfficeStatus;
using ov::platform::PdfConversion;
using ov::platform::WarmOfficeConverter;

namespace {

// Whether an office still listens on the socket (other offices of this user may run beside the
// test; only sockets nobody listens on are left-overs).
bool listenedOn(const QString& name) {
    const QByteArray path = "/tmp/" + QFile::encodeName(name);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    if (static_cast<size_t>(path.size()) >= sizeof address.sun_path) return false;
    std::copy(path.begin(), path.end(), address.sun_path);
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    const bool ok = ::connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
    ::close(fd);
    return ok;
}

QStringList leftOverSockets(const QStringList& before) {
    QStringList left;
    for (const QString& name : ov::test::officeSockets()) {
        if (!before.contains(name) && !listenedOn(name)) left << name;
    }
    return left;
}

class WarmConverterTest : public ::testing::Test {
protected:
    void SetUp() override {
        const auto found = ov::test::realLibreOffice();
        if (!found || found->python.isEmpty()) GTEST_SKIP() << "no LibreOffice with Python";
        socketsBefore = ov::test::officeSockets();
        QDir().mkpath(root());
        converter = std::make_unique<WarmOfficeConverter>(*found, root());
    }

    QString root() const { return work.filePath(u"root"_s); }
    QString out(const QString& name) const { return outDir.filePath(name); }

    OfficeResult convert(const QString& fixture, const QString& pdf,
                         std::chrono::milliseconds limit = 120s) {
        return converter->convert({ov::test::officeFixture(fixture), out(pdf), limit});
    }

    void expectShows(const QString& pdf, const QString& word) {
        const auto text = ov::test::toolOutput(u"pdftotext"_s, {out(pdf), u"-"_s});
        ASSERT_TRUE(text) << "pdftotext missing: run scripts/install-deps";
        EXPECT_TRUE(text->contains(word)) << text->toStdString();
    }

    // Once the converter is gone: no file, no process, no socket of it is left.
    void expectNothingLeftAfterEnd() {
        converter.reset();
        EXPECT_EQ(ov::test::entriesBelow(root()), QStringList());
        EXPECT_EQ(ov::test::processesMentioning(root()), 0);
        EXPECT_EQ(leftOverSockets(socketsBefore), QStringList());
    }

    QStringList socketsBefore;
    QTemporaryDir work;
    QTemporaryDir outDir;
    std::unique_ptr<WarmOfficeConverter> converter;
};

// Ten conversions of the three kinds and two drawings (Visio, CorelDRAW), from one office;
// after the first (which starts the office) each takes a fraction of a start.
TEST_F(WarmConverterTest, TenConversionsInARowShareOneOffice) {
    // The CorelDRAW fixture holds a filled box and no text: its page size (8 x 8 inches) shows
    // that it was read.
    const char* fixtures[][2] = {{"letter.docx", "Wordfixture"},  {"sheet.xlsx", "Sheetfixture"},
                                 {"slides.pptx", "Slidefixture"}, {"drawing.vsdx", "Drawingfixture"},
                                 {"drawing.cdr", nullptr}};
    qint64 first = 0;
    qint64 slowestWarm = 0;
    for (int n = 0; n < 10; ++n) {
        const auto& [fixture, word] = fixtures[n % 5];
        const QString pdf = u"%1.pdf"_s.arg(n);
        SCOPED_TRACE(fixture);
        const OfficeResult result = convert(QString::fromUtf8(fixture), pdf);
        ASSERT_EQ(result.status, OfficeStatus::Ok) << result.message.toStdString();
        if (word)
            expectShows(pdf, QString::fromUtf8(word));
        else
            EXPECT_TRUE(ov::test::toolOutput(u"pdfinfo"_s, {out(pdf)})
                            .value_or(QString())
                            .contains(u"576 x 576 pts"_s));
        (n == 0 ? first : slowestWarm) = std::max(n == 0 ? first : slowestWarm, result.elapsedMs);
    }
    EXPECT_EQ(converter->starts(), 1);
    EXPECT_LT(slowestWarm, first);
    EXPECT_EQ(QDir(root()).entryList(QDir::Dirs | QDir::NoDotAndDotDot).size(), 1);
    expectNothingLeftAfterEnd();
}

// Killed between two conversions (the whole office, as a crash or the user would): the next
// conversion starts a new office and succeeds.
TEST_F(WarmConverterTest, AKilledOfficeIsReplaced) {
    ASSERT_TRUE(convert(u"letter.docx"_s, u"a.pdf"_s).ok());
    const pid_t group = converter->processGroup();
    ASSERT_GT(group, 0);
    ::kill(-group, SIGKILL);
    std::this_thread::sleep_for(200ms);
    const OfficeResult again = convert(u"letter.docx"_s, u"b.pdf"_s);
    ASSERT_EQ(again.status, OfficeStatus::Ok) << again.message.toStdString();
    expectShows(u"b.pdf"_s, u"Wordfixture"_s);
    EXPECT_EQ(converter->starts(), 2);
    EXPECT_NE(converter->processGroup(), group);
    expectNothingLeftAfterEnd();
}

// An office that hangs (stopped by a signal) ends that conversion at its limit; the office is
// replaced and the next conversion works.
TEST_F(WarmConverterTest, AHangingConversionCostsOnlyItsLimit) {
    ASSERT_TRUE(convert(u"letter.docx"_s, u"a.pdf"_s).ok());
    ::kill(-converter->processGroup(), SIGSTOP);
    const OfficeResult hung = convert(u"slides.pptx"_s, u"hung.pdf"_s, 1500ms);
    EXPECT_EQ(hung.status, OfficeStatus::TimedOut);
    EXPECT_LT(hung.elapsedMs, 8000);
    EXPECT_FALSE(QFile::exists(out(u"hung.pdf"_s)));
    EXPECT_EQ(converter->processGroup(), 0);
    const OfficeResult next = convert(u"slides.pptx"_s, u"next.pdf"_s);
    ASSERT_EQ(next.status, OfficeStatus::Ok) << next.message.toStdString();
    expectShows(u"next.pdf"_s, u"Slidefixture"_s);
    expectNothingLeftAfterEnd();
}

// A limit shorter than the office's start ends the conversion, and the start with it.
TEST_F(WarmConverterTest, TheLimitCoversTheStartOfTheOffice) {
    const OfficeResult early = convert(u"letter.docx"_s, u"e.pdf"_s, 300ms);
    EXPECT_EQ(early.status, OfficeStatus::TimedOut);
    EXPECT_LT(early.elapsedMs, 8000);
    EXPECT_EQ(converter->processGroup(), 0);
    EXPECT_EQ(ov::test::processesMentioning(root()), 0);
    EXPECT_TRUE(convert(u"letter.docx"_s, u"ok.pdf"_s).ok());
    expectNothingLeftAfterEnd();
}

// A caller that stops waiting gets Cancelled at once; the office finishes unseen, leaves no
// PDF anywhere, and serves the next conversion without a new start.
TEST_F(WarmConverterTest, ACancelledConversionLeavesTheOfficeWarm) {
    ASSERT_TRUE(convert(u"letter.docx"_s, u"a.pdf"_s).ok());
    std::stop_source stop;
    stop.request_stop();
    const OfficeResult cancelled = converter->convert(
        {ov::test::officeFixture(u"slides.pptx"_s), out(u"c.pdf"_s), 120s}, stop.get_token());
    EXPECT_EQ(cancelled.status, OfficeStatus::Cancelled);
    const OfficeResult next = convert(u"sheet.xlsx"_s, u"n.pdf"_s);
    ASSERT_EQ(next.status, OfficeStatus::Ok) << next.message.toStdString();
    EXPECT_FALSE(QFile::exists(out(u"c.pdf"_s)));
    EXPECT_EQ(converter->starts(), 1);
    expectNothingLeftAfterEnd();
}

// A document the office cannot read fails with a reason and does not cost the office.
TEST_F(WarmConverterTest, AnUnreadableDocumentFailsAndTheOfficeStays) {
    const QString damaged = out(u"damaged.pptx"_s);
    QFile file(damaged);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(QByteArray("PK\x03\x04 no document ") + QByteArray(2000, 'x'));
    file.close();
    const OfficeResult bad = converter->convert({damaged, out(u"d.pdf"_s), 120s});
    EXPECT_EQ(bad.status, OfficeStatus::Failed);
    EXPECT_FALSE(QFile::exists(out(u"d.pdf"_s)));
    EXPECT_TRUE(convert(u"letter.docx"_s, u"ok.pdf"_s).ok());
    EXPECT_EQ(converter->starts(), 1);
    expectNothingLeftAfterEnd();
}

// A document and a PDF whose names (and folder) are Chinese, from a caller whose locale has
// no Chinese characters.
TEST_F(WarmConverterTest, ChineseNamesAreConverted) {
    const QByteArray callerLocale = qgetenv("LC_ALL");
    qputenv("LC_ALL", "C");
    const auto restore = qScopeGuard([&] {
        if (callerLocale.isNull()) qunsetenv("LC_ALL");
        else qputenv("LC_ALL", callerLocale);
    });
    ASSERT_TRUE(QDir().mkpath(out(u"季度"_s)));
    const QString document = out(u"季度/报告 一.docx"_s);
    ASSERT_TRUE(QFile::copy(ov::test::officeFixture(u"letter.docx"_s), document));
    const OfficeResult result = converter->convert({document, out(u"报告.pdf"_s), 120s});
    ASSERT_TRUE(result.ok()) << result.message.toStdString();
    expectShows(u"报告.pdf"_s, u"Wordfixture"_s);
    expectNothingLeftAfterEnd();
}

}  // namespace
