// The capture window against SANE's "test" device and the test server: pages from the feeder,
// turned, watermarked with the server's picture and restored, uploaded as JPEG files whose
// keys the window returns; a page the server refuses gives no key; the page files are gone
// after the upload.
#include "documents/capture/twainuploadfrm.h"
#include "documents/capture/twainxefrm.h"
#include "testing/docserver/httpside.h"
#include "versions/fixture.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDirIterator>
#include <QLineEdit>
#include <QPushButton>
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

    std::unique_ptr<TTwainXeFrm> Form() {
        auto form = std::make_unique<TTwainXeFrm>();
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

INSTANTIATE_TEST_SUITE_P(Server, CaptureTest, ::testing::Bool(), TlsName);

}  // namespace ov::test
