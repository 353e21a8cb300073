// Image printing: the placement as a table, the picture's density from its JFIF header, and
// whole runs against the test server's "/getjpg" printed to PDF files and to a CUPS queue that
// prints to a file (checked with poppler).

#include "control/printimages/placement.h"
#include "control/printimages/printimgfrm.h"
#include "platform/printers.h"
#include "privatecups.h"
#include "testing/docserver/httpside.h"
#include "versions/fixture.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>

#include <cups/cups.h>

using namespace Qt::StringLiterals;
using namespace ov::control;

namespace ov::test {

namespace {

QByteArray Jfif(int unit, int x, int y) {
    QByteArray b("\xFF\xD8\xFF\xE0\x00\x10JFIF\x00\x01\x01", 13);
    b.append(char(unit));
    for (const int d : {x, y}) {
        b.append(char(d >> 8));
        b.append(char(d & 0xFF));
    }
    return b + QByteArray(8, '\0');
}

TEST(PrintPlacement, DensityFromTheJfifHeader) {
    const struct {
        QByteArray jpeg;
        int dpi;
    } cases[] = {
        {Jfif(1, 300, 300), 300}, {Jfif(1, 96, 96), 96},   {Jfif(1, 72, 96), 96},
        {Jfif(2, 118, 118), 300}, {Jfif(0, 1, 1), 90},     {Jfif(1, 50, 50), 90},
        {QByteArray("\xFF\xD8"), 90}, {QByteArray("not a picture at all"), 90},
    };
    for (const auto& c : cases)
        EXPECT_EQ(JfifDensity(c.jpeg), c.dpi) << c.jpeg.toHex().toStdString();
}

TEST(PrintPlacement, MarginsAndRectangles) {
    EXPECT_DOUBLE_EQ(MarginCm(u"2"_s), 2.0);
    EXPECT_DOUBLE_EQ(MarginCm(u"0.5"_s), 0.5);
    EXPECT_DOUBLE_EQ(MarginCm(u"abc"_s), 1.27);
    EXPECT_DOUBLE_EQ(MarginCm(u"-1"_s), 1.27);
    const struct {
        const char* what;
        int resolution, density;
        double mx, my;
        QSize picture, page;
        QRect place;
    } cases[] = {
        // 1.27 cm at 600 dpi is 300 pixels; 640 x 480 at 96 dpi is 4000 x 3000 at 600.
        {"fits: own size times P/D", 600, 96, 1.27, 1.27, {640, 480}, {4960, 7016},
         {300, 300, 4000, 3000}},
        {"denser picture prints smaller", 600, 300, 1.27, 1.27, {640, 480}, {4960, 7016},
         {300, 300, 1280, 960}},
        {"too wide: shrunk to the width, proportions kept", 600, 96, 1.27, 1.27, {1280, 480},
         {4960, 7016}, {300, 300, 4360, 1635}},
        {"too tall: shrunk to the height", 300, 90, 0, 0, {300, 3000}, {2480, 3508},
         {0, 0, 350, 3508}},
        {"no printer resolution", 0, 96, 1.27, 1.27, {640, 480}, {4960, 7016}, {}},
        {"empty picture", 600, 96, 1.27, 1.27, {0, 0}, {4960, 7016}, {}},
        {"margins wider than the page", 600, 96, 30, 1.27, {640, 480}, {4960, 7016}, {}},
    };
    for (const auto& c : cases) {
        TPagePlacement p;
        p.Resolution = c.resolution;
        p.Density = c.density;
        p.MarginXCm = c.mx;
        p.MarginYCm = c.my;
        p.Picture = c.picture;
        p.Page = c.page;
        EXPECT_EQ(PlacePicture(p), c.place) << c.what;
    }
}

TEST(PrintPlacement, QueryValuesAreEncoded) {
    EXPECT_EQ(ImageUrl(u"http://h:1"_s, u"101"_s, u"1&x=2"_s, u"a+b/c"_s, u"0 1"_s),
              u"http://h:1/getjpg?filekey=101&ver=1%26x%3D2&uid=a%2Bb%2Fc&imageindex=0%201"_s);
}

// "pdfimages -list": the width and the horizontal density of each picture in a PDF.
QStringList PdfPictures(const QString& pdf) {
    QProcess p;
    p.start(u"pdfimages"_s, {u"-list"_s, pdf});
    p.waitForFinished(30000);
    QStringList found;
    const QStringList lines = QString::fromUtf8(p.readAll()).split(u'\n');
    for (const QString& line : lines.mid(2)) {
        const QStringList f = line.simplified().split(u' ');
        if (f.size() > 13) found.append(f[3] + u'@' + f[12]);  // width @ x-ppi
    }
    return found;
}

QString PdfPageSize(const QString& pdf) {
    QProcess p;
    p.start(u"pdfinfo"_s, {pdf});
    p.waitForFinished(30000);
    for (const QString& line : QString::fromUtf8(p.readAll()).split(u'\n'))
        if (line.startsWith(u"Page size:"_s)) return line.mid(10).simplified();
    return {};
}

class PrintImagesTest : public VersionsTest {
protected:
    PrintImagesTest() { http.install(server); }
    std::unique_ptr<TTPrintImgFrm> Dialog(const QString& keys, const QString& index) {
        auto d = std::make_unique<TTPrintImgFrm>(HSL_ENG, printers);
        d->Ui = user.Ui();
        d->ImgFileKey = keys;
        d->FileVer = u"1"_s;
        d->Index = index;
        d->MakePrinter = [this](const QString& name) {
            auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
            printer->setOutputFormat(QPrinter::PdfFormat);
            printer->setOutputFileName(work + name + QString::number(jobs.size()) + u".pdf"_s);
            jobs.append(printer->outputFileName());
            return printer;
        };
        return d;
    }
    bool Run(TTPrintImgFrm& d) {
        QSignalSpy finished(&d, &QDialog::finished);
        d.btnOK->click();
        return finished.count() > 0 || finished.wait(20000);
    }
    DocHttp http{model};
    platform::FixedPrinterSource printers{{{u"Office"_s, u"ipp://a/"_s, u"x"_s, false},
                                           {u"Desk"_s, u"usb://b"_s, u"y"_s, true}}};
    QStringList jobs;
};

TEST_P(PrintImagesTest, OneJobPerPictureAndTheKeysThatPrinted) {
    QDir().mkpath(work);
    const QString keys = QString::number(demo::ManualFile) + u"|"_s +
                         QString::number(demo::PriceFile) + u"| "_s +  // not the user's: fails
                         QString::number(demo::GearboxFile) + u"|"_s;
    auto d = Dialog(keys, u"2"_s);  // the 300 dots-per-inch picture
    EXPECT_EQ(d->cboPrinters->currentText(), u"Desk"_s);
    EXPECT_EQ(d->cboPageSize->currentText(), u"A4"_s);
    d->cboPageSize->setCurrentText(u"A5"_s);
    d->edtMarginX->setText(u"not a number"_s);
    ASSERT_TRUE(Run(*d));
    EXPECT_EQ(d->result(), QDialog::Accepted);
    EXPECT_EQ(d->ImgFileKey2, QString::number(demo::ManualFile) + u"|"_s +
                                  QString::number(demo::GearboxFile) + u"|"_s);
    EXPECT_EQ(user.told, QStringList{u"Pictures from the server failed!"_s});
    ASSERT_EQ(jobs.size(), 2);
    for (const QString& job : jobs) {
        EXPECT_EQ(PdfPageSize(job), u"420 x 595 pts (A5)"_s) << job.toStdString();
        EXPECT_EQ(PdfPictures(job), QStringList{u"64@300"_s}) << job.toStdString();
    }
}

TEST_P(PrintImagesTest, CopiesAndPrintersThatStopTheRun) {
    auto d = Dialog(QString::number(demo::ManualFile), u"0"_s);
    for (const QString& copies : {u"0"_s, u"-2"_s, u"many"_s}) {
        user.told.clear();
        d->edtNum->setText(copies);
        d->btnOK->click();
        EXPECT_EQ(user.told, QStringList{u"Please set the correct number of copies!"_s});
    }
    EXPECT_TRUE(jobs.isEmpty());
    EXPECT_TRUE(d->isEnabled() && d->btnOK->isEnabled());

    user.told.clear();
    platform::FixedPrinterSource none{{}};
    TTPrintImgFrm bare(HSL_ENG, none);
    bare.Ui = user.Ui();
    bare.btnOK->click();
    EXPECT_EQ(user.told, QStringList{u"Please install the printer!"_s});
}

TEST_P(PrintImagesTest, LandscapeIsRemembered) {
    QDir().mkpath(work);
    {
        auto d = Dialog(QString::number(demo::ManualFile), u"0"_s);
        EXPECT_TRUE(d->rdoVertical->isChecked());
        d->rdoHorizontal->setChecked(true);
        ASSERT_TRUE(Run(*d));
        ASSERT_EQ(jobs.size(), 1);
        EXPECT_EQ(PdfPageSize(jobs[0]), u"842 x 595 pts (A4)"_s);
        EXPECT_EQ(PdfPictures(jobs[0]), QStringList{u"64@96"_s});
    }
    RenewGlobalConfig();
    auto again = Dialog(QString::number(demo::ManualFile), u"0"_s);
    EXPECT_TRUE(again->rdoHorizontal->isChecked());
}

INSTANTIATE_TEST_SUITE_P(PlainAndTls, PrintImagesTest, ::testing::Bool());

// The dialog's own printer (no PDF writer put in its place) sends one job to a CUPS queue.
class CupsPrintTest : public PrintImagesTest {
protected:
    void SetUp() override {
        if (!cups.error().isEmpty()) GTEST_SKIP() << "no CUPS queue: " << cups.error().toStdString();
        qputenv("CUPS_SERVER", cups.socket().toUtf8());
        cupsSetServer(cups.socket().toUtf8().constData());
    }
    void TearDown() override {
        cupsSetServer(nullptr);
        qunsetenv("CUPS_SERVER");
    }
    PrivateCups cups;
};

TEST_P(CupsPrintTest, OneJobToAQueueThatPrintsToAFile) {
    platform::FixedPrinterSource queues{{{PrivateCups::queue(), u"file:"_s, u"PDF to file"_s, true}}};
    TTPrintImgFrm d(HSL_ENG, queues);
    d.Ui = user.Ui();
    d.ImgFileKey = QString::number(demo::ManualFile);
    d.FileVer = u"1"_s;
    d.Index = u"0"_s;
    d.cboPageSize->setCurrentText(u"A5"_s);
    ASSERT_TRUE(Run(d));
    EXPECT_EQ(d.ImgFileKey2, QString::number(demo::ManualFile) + u"|"_s);
    EXPECT_TRUE(user.told.isEmpty()) << user.told.join(u" | "_s).toStdString();
    // The scheduler writes the file once the job has gone through its filter.
    EXPECT_TRUE(QTest::qWaitFor([&] { return !PdfPageSize(cups.output()).isEmpty(); }, 30000))
        << "nothing printed to " << cups.output().toStdString();
    EXPECT_EQ(PdfPageSize(cups.output()), u"420 x 595 pts (A5)"_s);
    EXPECT_EQ(PdfPictures(cups.output()), QStringList{u"64@96"_s});
}

INSTANTIATE_TEST_SUITE_P(Plain, CupsPrintTest, ::testing::Values(false));

}  // namespace

}  // namespace ov::test
