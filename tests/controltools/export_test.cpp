// The list and log exports against the test server: the workbook read back (cells as text, so
// Chinese names and 19-digit keys arrive exact; the widths of each kind), the .xls made by
// LibreOffice, and the names, refusals and failures that must not end in "Done".

#include "control/export/filelistfrm.h"
#include "control/export/logexportfrm.h"
#include "core/ziparchive.h"
#include "versions/fixture.h"

#include <QLineEdit>
#include <QPointer>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>

using namespace Qt::StringLiterals;
using namespace ov::control;

namespace ov::test {

namespace {

constexpr std::int64_t LongKey = 1234567890123456789;

// The .xlsx unpacked: the shared strings in order and the sheet's column widths.
struct XlsxContent {
    QStringList strings;
    QList<double> widths;
};

XlsxContent ReadXlsx(const QString& path) {
    QTemporaryDir dir;
    ExtractZipNoOverwrite(path, dir.path() + u'/');
    XlsxContent c;
    const QString strings = QString::fromUtf8(ReadAll(dir.filePath(u"xl/sharedStrings.xml"_s)));
    static const QRegularExpression text(u"<t[^>]*>([^<]*)</t>"_s);
    for (const auto& m : text.globalMatch(strings))
        c.strings.append(m.captured(1));
    const QString sheet =
        QString::fromUtf8(ReadAll(dir.filePath(u"xl/worksheets/sheet1.xml"_s)));
    static const QRegularExpression col(u"<col [^>]*width=\"([0-9.]+)\""_s);
    for (const auto& m : col.globalMatch(sheet))
        c.widths.append(m.captured(1).toDouble());
    return c;
}

// The office's reading of a workbook: its first sheet as UTF-8 text with tabs.
QString ReadWithOffice(const QString& path) {
    QTemporaryDir out;
    QProcess office;
    office.start(u"soffice"_s, {u"--headless"_s, u"-env:UserInstallation=file://"_s +
                                    out.path() + u"/profile"_s,
                                u"--convert-to"_s, u"csv:Text - txt - csv (StarCalc):9,34,76"_s,
                                u"--outdir"_s, out.path(), path});
    office.waitForFinished(180000);
    const QString csv = out.filePath(QFileInfo(path).completeBaseName() + u".csv"_s);
    return QString::fromUtf8(ReadAll(csv)).remove(u'"');
}

class ExportTest : public VersionsTest {
protected:
    ExportTest() {
        std::lock_guard lock(model.mutex);
        model.addFile(LongKey, demo::MechanicsFolder, u"长编号.pdf"_s, 10, 46000.5);
        model.logs.append({demo::DemoUser, LongKey, 1, 46000.5});
        model.logs.append({demo::DemoUser, demo::ManualFile, 62, 46000.6});
    }
    // Runs the export into the work folder; true when the dialog closed.
    bool Export(TExportFrm* dialog, const QString& name) {
        QPointer<TExportFrm> alive = dialog;
        dialog->Ui = user.Ui();
        dialog->show();
        dialog->EdtPath->setText(work);
        dialog->EdtFileName->setText(name);
        QSignalSpy ended(dialog, &TExportFrm::exportEnded);
        dialog->BtExport->click();
        if (!user.told.isEmpty()) return alive.isNull();  // refused before asking the server
        EXPECT_TRUE(ended.wait(180000));
        QTest::qWait(0);
        return alive.isNull();
    }
    TExportFileListFrm* List(const QString& ty, std::int64_t folder = demo::MechanicsFolder) {
        auto* d = new TExportFileListFrm(HSL_ENG);
        d->Init(demo::DesignGroup, ty, folder);
        return d;
    }
    void SetUp() override { QDir().mkpath(work); }
};

TEST_P(ExportTest, FileListAsXlsxKeepsEveryDigitAndTheWidths) {
    EXPECT_TRUE(Export(List(u"1"_s), u"files.xlsx"_s));
    EXPECT_EQ(user.told, QStringList{u"Operation is complete"_s});
    const XlsxContent book = ReadXlsx(work + u"files.xlsx"_s);
    EXPECT_TRUE(book.strings.contains(u"1234567890123456789"_s)) << book.strings.join(u'|').toStdString();
    EXPECT_TRUE(book.strings.contains(u"文件名"_s));
    EXPECT_TRUE(book.strings.contains(u"设计部/设计图纸/机械/长编号.pdf"_s))
        << book.strings.join(u'|').toStdString();
    ASSERT_EQ(book.widths.size(), 5);
    const double expected[] = {80, 15, 18, 30, 18};
    for (int i = 0; i < 5; ++i)
        EXPECT_NEAR(book.widths[i], expected[i], 1.0) << i;  // the writer adds its padding
    EXPECT_EQ(QDir(work).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
              QStringList{u"files.xlsx"_s});  // nothing of the work left behind
}

TEST_P(ExportTest, UploadLogHasItsSixColumns) {
    auto* log = new TLogExportFrm(HSL_ENG);
    log->Init(u"[IsUploadLog]1[/IsUploadLog]"_s);
    EXPECT_EQ(log->windowTitle(), u"Upload log export"_s);
    EXPECT_TRUE(Export(log, u"uploads.xlsx"_s));
    const XlsxContent book = ReadXlsx(work + u"uploads.xlsx"_s);
    EXPECT_EQ(book.widths.size(), 6);
    EXPECT_TRUE(book.strings.contains(u"长编号.pdf"_s));
    EXPECT_TRUE(book.strings.contains(u"1234567890123456789"_s));
}

TEST_P(ExportTest, NamesThatAreRefused) {
    WriteFile(work + u"taken.xls"_s, "mine");
    const struct {
        QString name, told;
    } cases[] = {{u"report.XLS"_s, u"Must be exported to excel file"_s},
                 {u"report.csv"_s, u"Must be exported to excel file"_s},
                 {u"taken.xls"_s, u"The file already exists"_s}};
    for (const auto& c : cases) {
        user.told.clear();
        auto* d = List(u"1"_s);
        EXPECT_FALSE(Export(d, c.name));
        EXPECT_EQ(user.told, QStringList{c.told});
        delete d;
    }
    EXPECT_EQ(ReadAll(work + u"taken.xls"_s), QByteArray("mine"));
}

TEST_P(ExportTest, NoOfficeAndServerRefusalAreNotDone) {
    auto* d = List(u"1"_s);
    d->Office = [] { return QString(); };
    EXPECT_FALSE(Export(d, u"files.xls"_s));  // stays open to try again
    EXPECT_EQ(user.told, QStringList{u"Excel is not installed!"_s});
    EXPECT_FALSE(d->plWait->isVisible());
    EXPECT_FALSE(QFileInfo::exists(work + u"files.xls"_s));
    delete d;

    user.told.clear();
    auto* log = new TLogExportFrm(HSL_ENG);
    QPointer<TLogExportFrm> alive = log;
    log->Init(QString());
    log->Access.UserIdStr = u"not-a-token"_s;
    EXPECT_FALSE(Export(log, u"log.xlsx"_s));
    ASSERT_EQ(user.told.size(), 1);
    EXPECT_NE(user.told[0], u"Operation is complete"_s);
    ASSERT_TRUE(alive);  // the log dialog stays, without its wait panel
    EXPECT_FALSE(log->plWait->isVisible());
    delete log;

    user.told.clear();
    EXPECT_TRUE(Export(List(u"1"_s, demo::SalesFolder), u"other.xlsx"_s));  // not the user's
    EXPECT_EQ(user.told, QStringList{u"没有权限"_s});
}

INSTANTIATE_TEST_SUITE_P(PlainAndTls, ExportTest, ::testing::Bool());

// The .xls is LibreOffice's work: once, over plain TCP.
class XlsExportTest : public ExportTest {};

TEST_P(XlsExportTest, XlsOpensWithTheSameCells) {
    EXPECT_TRUE(Export(List(u"1"_s), u"files.xls"_s));
    EXPECT_EQ(user.told, QStringList{u"Operation is complete"_s});
    EXPECT_TRUE(ReadAll(work + u"files.xls"_s).startsWith("\xD0\xCF\x11\xE0"));  // OLE file
    const QString sheet = ReadWithOffice(work + u"files.xls"_s);
    EXPECT_TRUE(sheet.contains(u"文件名\t版本\t文件编号\t修改时间\t大小"_s)) << sheet.toStdString();
    EXPECT_TRUE(sheet.contains(u"设计部/设计图纸/机械/长编号.pdf\t1\t1234567890123456789\t"_s))
        << sheet.toStdString();
}

INSTANTIATE_TEST_SUITE_P(Plain, XlsExportTest, ::testing::Values(false));

}  // namespace

}  // namespace ov::test
