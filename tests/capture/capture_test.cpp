// The capture window against SANE's "test" device and the test server: pages from the feeder,
// turned, watermarked with the server's picture and restored, uploaded as JPEG files whose
// keys the window returns; a page the server refuses gives no key; the page files are gone
// after the upload. A camera fed with synthetic frames gives its still as the page. The
// settings dialog shows Chinese names but hands the device its own values.
#include "documents/capture/scanoptions.h"
#include "documents/capture/twainuploadfrm.h"
#include "documents/capture/twainxefrm.h"
#include "support/syntheticcamera.h"
#include "testing/docserver/httpside.h"
#include "versions/fixture.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QDirIterator>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QToolButton>

using namespace Qt::StringLiterals;

namespace ov::test {

std::optional<platform::ScannerSettings> FlatBed(QWidget*, const QStringList&, const QStringList&,
                                                 const std::vector<int>&,
                                                 const platform::ScannerSettings&) {
    return platform::ScannerSettings{25, u"Gray"_s, u"Flatbed"_s};
}

class CaptureTest : public VersionsTest {
protected:
    CaptureTest() {
        qputenv("SANE_CONFIG_DIR", OV_SANE_CONFIG);
        http.install(server);
    }

    std::unique_ptr<TTwainXeFrm> Form(platform::CameraDevice* camera = nullptr) {
        auto form = std::make_unique<TTwainXeFrm>(nullptr, camera);
        form->WatermarkTimeoutMs = 10000;  // a loaded test machine, TLS and sanitizers
        QSignalSpy sources(form.get(), &TTwainXeFrm::sourcesReady);
        QSignalSpy mark(form.get(), &TTwainXeFrm::watermarkReady);
        EXPECT_TRUE(sources.wait(30000));
        if (mark.isEmpty()) {
            EXPECT_TRUE(mark.wait(30000));
        }
        form->Ui = user.Ui();
        form->UploadOwnerId = demo::DemoUser;
        form->UploadFolderId = demo::MyDocsFolder;
        form->ExecModal = [this](QDialog& d) {
            auto& dialog = static_cast<TTwainUploadFrm&>(d);
            dialog.Ui = user.Ui();
            dialog.edtFileName->setText(typedName);
            QSignalSpy done(&dialog, &TTwainUploadFrm::uploadDone);
            dialog.btnUpload->click();
            EXPECT_TRUE(done.wait(30000));
            failed = dialog.FailedPages();
            return 1;
        };
        return form;
    }

    int Acquire(TTwainXeFrm& form) {
        QSignalSpy acquired(&form, &TTwainXeFrm::acquired);
        form.cbTwainSource->setCurrentIndex(0);
        form.Acquire();
        if (!acquired.wait(30000)) return -1;
        EXPECT_EQ(acquired.first().at(1).toString(), QString());
        return acquired.first().at(0).toInt();
    }

    QImage ServerImage(std::int64_t key) { return QImage::fromData(files.content(key)); }
    QString ServerName(std::int64_t key) {
        std::lock_guard lock(model.mutex);
        return model.files.at(key).name;
    }
    int PageFilesLeft() {
        int n = 0;
        QDirIterator it(GetLocalTempPath(), {u"ovscan_*"_s}, QDir::Files,
                        QDirIterator::Subdirectories);
        while (it.hasNext()) {
            it.next();
            ++n;
        }
        return n;
    }

    DocHttp http{model};
    QString typedName = u"Invoice.JPG"_s;
    QStringList failed;
};

TEST_P(CaptureTest, FeederPagesAreTurnedMarkedRestoredAndUploaded) {
    auto form = Form();
    ASSERT_TRUE(form->HasWatermark());
    form->AskScanSettings = [](QWidget*, const QStringList& modes, const QStringList& sources,
                               const std::vector<int>&, const platform::ScannerSettings&) {
        EXPECT_TRUE(modes.contains(u"Color"_s));
        EXPECT_TRUE(sources.contains(u"Automatic Document Feeder"_s));
        return std::optional<platform::ScannerSettings>({25, u"Color"_s,
                                                         u"Automatic Document Feeder"_s});
    };
    const int pages = Acquire(*form);
    ASSERT_GE(pages, 2);
    const QImage first = form->CurrentPage();
    form->tbRight->click();
    const QImage turned = form->CurrentPage();
    EXPECT_EQ(turned.size(), first.size().transposed());
    EXPECT_EQ(form->Pages().Page(0), turned) << "page file rewritten";
    form->tbAddWatemark->click();
    EXPECT_EQ(form->tbAddWatemark->text(), u"Original"_s);
    EXPECT_NE(form->CurrentPage(), turned);
    form->tbAddWatemark->click();
    EXPECT_EQ(form->CurrentPage(), turned) << "Original restores the page";
    EXPECT_EQ(form->Pages().Page(0), turned);

    const QStringList keys = form->Upload().split(u',');
    ASSERT_EQ(keys.size(), pages);
    EXPECT_TRUE(failed.isEmpty());
    const int digits = pages >= 10 ? 2 : 1;
    for (int i = 0; i < pages; ++i) {
        const std::int64_t key = keys[i].toLongLong();
        EXPECT_EQ(ServerName(key),
                  u"Invoice_%1.jpg"_s.arg(QString::number(i + 1).rightJustified(digits, u'0')));
        EXPECT_TRUE(files.content(key).startsWith("\xFF\xD8")) << "a JPEG file";
        EXPECT_EQ(ServerImage(key).size(), i == 0 ? turned.size() : first.size());
    }
    EXPECT_EQ(form->Pages().Count(), 0);
    EXPECT_EQ(PageFilesLeft(), 0) << "page files are deleted after the upload";
}

TEST_P(CaptureTest, ARefusedPageGivesNoKeyAndIsReported) {
    auto form = Form();
    form->AskScanSettings = FlatBed;
    ASSERT_EQ(Acquire(*form), 1);
    NextTransfer next;
    next.status = 4;
    files.setNext(next);
    typedName = u"refused"_s;
    EXPECT_EQ(form->Upload(), QString());
    ASSERT_EQ(failed.size(), 1);
    EXPECT_TRUE(failed[0].startsWith(u"refused.jpg: "_s)) << failed[0].toStdString();
}

TEST_P(CaptureTest, UploadWithoutPagesAsksForAScanAndCloseDeletesThePages) {
    auto form = Form();
    EXPECT_EQ(form->Upload(), QString());
    EXPECT_EQ(user.told, QStringList{u"没有扫描文件，请先扫描文件"_s});
    form->AskScanSettings = FlatBed;
    ASSERT_EQ(Acquire(*form), 1);
    EXPECT_EQ(PageFilesLeft(), 2) << "the page and the page as acquired";
    form.reset();
    EXPECT_EQ(PageFilesLeft(), 0);
}

TEST_P(CaptureTest, CameraStillBecomesThePageAndIsUploaded) {
    auto* camera = new SyntheticCamera;  // the form takes it over
    auto form = Form(camera);
    form->VideoInit();
    const int index = form->cbTwainSource->findData(int(TTwainXeFrm::CameraSource));
    ASSERT_GE(index, 0);
    EXPECT_EQ(form->cbTwainSource->itemText(index), u"Synthetic"_s);
    form->cbTwainSource->setCurrentIndex(index);
    emit form->cbTwainSource->activated(index);
    ASSERT_TRUE(camera->isActive());
    EXPECT_EQ(form->cbVideoSize->itemText(0), u"8*6"_s);

    QSignalSpy frames(camera, &platform::CameraDevice::frameReady);
    camera->feed(1, 5);
    ASSERT_TRUE(frames.wait(5000));
    form->tbVideoPause->click();  // pause: the frame in view is the page
    ASSERT_EQ(form->Pages().Count(), 1);
    EXPECT_EQ(form->CurrentPage().pixel(0, 0), qRgb(5, 5, 5));
    camera->feed(6, 9);
    QCoreApplication::processEvents();
    EXPECT_EQ(form->Pages().Page(0).pixel(0, 0), qRgb(5, 5, 5)) << "a paused camera keeps the page";

    typedName = u"Camera"_s;
    const QString key = form->Upload();
    ASSERT_FALSE(key.isEmpty());
    ASSERT_FALSE(key.contains(u','));
    EXPECT_TRUE(failed.isEmpty());
    EXPECT_EQ(ServerName(key.toLongLong()), u"Camera.jpg"_s);
    const QImage uploaded = ServerImage(key.toLongLong());
    EXPECT_EQ(uploaded.size(), QSize(8, 6));
    EXPECT_NEAR(qGray(uploaded.pixel(4, 3)), 5, 2) << "the still, not a later frame";
}

INSTANTIATE_TEST_SUITE_P(Server, CaptureTest, ::testing::Bool(), TlsName);

TEST(ScanOptions, ChineseNamesAreShownAndTheDeviceValuesReturned) {
    QStringList shown;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        auto* mode = dialog->findChild<QComboBox*>(u"cbMode"_s);
        auto* source = dialog->findChild<QComboBox*>(u"cbSource"_s);
        shown = {mode->currentText(), source->itemText(1), source->itemText(2)};
        source->setCurrentIndex(1);
        dialog->accept();
    });
    const auto chosen = AskScanSettingsDialog(
        nullptr, HSL_CN, {u"Gray"_s, u"Color"_s},
        {u"Flatbed"_s, u"Automatic Document Feeder"_s, u"Transparency Unit"_s}, {75, 150},
        {150, u"Color"_s, u"Flatbed"_s});
    EXPECT_EQ(shown, (QStringList{u"彩色"_s, u"自动进纸器"_s, u"Transparency Unit"_s}));
    ASSERT_TRUE(chosen);
    EXPECT_EQ(chosen->resolution, 150);
    EXPECT_EQ(chosen->mode, u"Color"_s);
    EXPECT_EQ(chosen->source, u"Automatic Document Feeder"_s);
}

}  // namespace ov::test
