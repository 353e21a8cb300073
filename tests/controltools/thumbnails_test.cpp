// Thumbnails against the test server: a PDF, a picture and a Word document rendered, uploaded
// and checked for their size; a drawing skipped with a log line; nothing left in the
// temporary folder.

#include "control/thumbnails/generatemicpicfrm.h"
#include "control/thumbnails/thumbnailrun.h"
#include "testing/docserver/demo_pdf.h"
#include "versions/fixture.h"

#include <QBuffer>
#include <QImage>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>

using namespace Qt::StringLiterals;
using namespace ov::control;

namespace ov::test {

namespace {

TEST(ThumbnailList, ConditionAndReplyLines) {
    EXPECT_EQ(ThumbCondition(u"dwg,pdf"_s, false),
              u"[FileType]dwg,pdf[/FileType][IsMicPic]True[/IsMicPic][IsReplace]False[/IsReplace]"_s);
    const QVector<TThumbItem> items =
        ParseThumbList(u"12345*10*46000*a.pdf*x\\y\r\nabc * 10 ** b.png\r\n\r\n7*1"_s);
    ASSERT_EQ(items.size(), 3);
    EXPECT_EQ(items[0].Key, 12345);
    EXPECT_EQ(items[0].Name, u"a.pdf"_s);
    EXPECT_EQ(items[1].Key, 0);  // not a number
    EXPECT_EQ(items[1].Name, QString());  // empty fields dropped: the name moved up
    EXPECT_EQ(items[2].Name, QString());
    EXPECT_EQ(ThumbWidth(u"PDF"_s), 1080);
    EXPECT_EQ(ThumbWidth(u"docx"_s), 880);
    EXPECT_EQ(ThumbRendererOf(u"dwg"_s), TThumbRenderer::None);
}

QByteArray Png() {
    QImage image(300, 200, QImage::Format_RGB32);
    image.fill(Qt::darkCyan);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

class ThumbnailsTest : public VersionsTest {
protected:
    ThumbnailsTest() {
        std::lock_guard lock(model.mutex);
        model.addFolder(Folder, demo::DemoUser, 0, u"缩略图"_s);
        model.addFile(PdfKey, Folder, u"图纸.pdf"_s, 1, 46000.5);
        model.addFile(PngKey, Folder, u"照片.png"_s, 1, 46000.5);
        model.addFile(DocxKey, Folder, u"合同.docx"_s, 1, 46000.5);
        model.addFile(DwgKey, Folder, u"底座.dwg"_s, 1, 46000.5);
        model.addFile(EscapeKey, Folder, u"..\\越界.png"_s, 1, 46000.5);  // names a folder above
    }
    void SetUp() override {
        files.setContent(PdfKey, demo::GearboxPdf());
        files.setContent(PngKey, Png());
        files.setContent(DocxKey, demo::OfficeDemoContent(demo::TrackedWordFile));
        files.setContent(DwgKey, "AC1015 not really");
        files.setContent(EscapeKey, Png());
        QDir().mkpath(root);
        WriteFile(home.file(u"越界.png"_s), "mine");
    }
    QSize ThumbSize(std::int64_t key) {
        return QImage::fromData(files.thumbnail(key), "JPEG").size();
    }
    static constexpr std::int64_t Folder = 7000;
    static constexpr std::int64_t PdfKey = 7001, PngKey = 7002, DocxKey = 7003, DwgKey = 7004,
                                  EscapeKey = 7005;
    QString root = home.file(u"temp/"_s);
};

TEST_P(ThumbnailsTest, RendersUploadsAndSkipsDrawings) {
    QPointer<TGenerateMicPicFrm> form = new TGenerateMicPicFrm(HSL_ENG);
    form->Ui = user.Ui();
    form->FRoot = root;
    form->Init(demo::DemoUser, Folder);
    form->btStart->click();  // no type typed
    EXPECT_EQ(user.told, QStringList{u"Please enter a file type!"_s});

    form->edFileType->setText(u"pdf,png,docx,dwg"_s);
    QSignalSpy finished(form.data(), &TGenerateMicPicFrm::finished);
    QStringList log;
    QObject::connect(form.data(), &TGenerateMicPicFrm::finished, [&] {
        log = form->Log;
        EXPECT_EQ(form->Uploaded, 4);
    });
    form->btStart->click();
    ASSERT_TRUE(finished.wait(240000));
    EXPECT_EQ(ThumbSize(PdfKey), QSize(1080, 1240));
    EXPECT_EQ(ThumbSize(PngKey), QSize(880, 1240));
    EXPECT_EQ(ThumbSize(DocxKey), QSize(880, 1240));
    EXPECT_TRUE(files.thumbnail(DwgKey).isEmpty());
    // A name from the reply is only a file name inside the temporary folder.
    EXPECT_EQ(ThumbSize(EscapeKey), QSize(880, 1240));
    EXPECT_EQ(ReadAll(home.file(u"越界.png"_s)), QByteArray("mine"));
    EXPECT_EQ(log, QStringList{u"底座.dwg: no renderer for this type, skipped"_s});
    EXPECT_EQ(QDir(root).entryList(QDir::Files), QStringList());  // downloads and pictures gone
    {
        std::lock_guard lock(model.mutex);
        EXPECT_TRUE(File(PdfKey).hasThumbnail);
        EXPECT_EQ(File(PdfKey).version, 1);  // a thumbnail is no new version
    }
    QTRY_VERIFY(form.isNull());  // the window closes when done
}

INSTANTIATE_TEST_SUITE_P(PlainAndTls, ThumbnailsTest, ::testing::Bool());

}  // namespace

}  // namespace ov::test
