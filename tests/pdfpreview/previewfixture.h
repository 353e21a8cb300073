#pragma once
// The fixture of the previewer tests: a private home, the test document server with the demo
// content (its commands receive the print reports, its file channel serves the previews), the
// settings pointing at it, and helpers for PDF copies and the server's print log.

#include <gtest/gtest.h>

#include <QFile>
#include <QTest>
#include <memory>

#include "core/globalconfig.h"
#include "documents/preview/previewhint.h"
#include "pdfpreviewapp.h"
#include "platform/printers.h"
#include "platform/viewerprobe.h"
#include "platform/widgets/systemprinters.h"
#include "support/temphome.h"
#include "testing/docserver/commands.h"
#include "testing/docserver/demo.h"
#include "testing/docserver/demo_pdf.h"
#include "testing/docserver/filechannel.h"
#include "testpdf.h"

namespace ov::test {

class PreviewFixture : public ::testing::Test {
protected:
    PreviewFixture() {
        demo::LoadDemo(model);
        demo::LoadDemoPdfs(model, files);
        commands.install(server);
        files.install(server);
        setLanguage(HSL_CN);
        // No printer of this machine takes part: an empty list unless a test sets one.
        platform::setPrinterSource(
            std::make_unique<platform::FixedPrinterSource>(std::vector<platform::PrinterInfo>{}));
        platform::setViewerProbe(nullptr);
    }
    ~PreviewFixture() override {
        platform::setPrinterSource(nullptr);
        platform::setViewerProbe(nullptr);
        FreeGlobalConfig();
    }

    // Settings of a fresh form: the test server, the demo user and the language.
    void setLanguage(THS_Language language) {
        const auto config = RenewGlobalConfig();
        config->SetServerHost(server.host());
        config->SetServerPort(server.port());
        config->SetIsSSL(false);
        config->SetEncryptUserID(demo::DemoToken());
        config->SetSysLanguage(language);
    }

    // A new copy of a three-page PDF with Chinese text, named in Chinese.
    QString chinesePdf() {
        const QString path = home.file(QStringLiteral("预览副本%1.pdf").arg(++m_copies));
        EXPECT_TRUE(writeChinesePdf(path));
        return path;
    }
    QString damagedPdf() {
        const QString path = home.file(QStringLiteral("damaged.pdf"));
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("%PDF-1.4\nthis is not a document\n");
        return path;
    }

    void setPrinters(std::vector<platform::PrinterInfo> printers) {
        platform::setPrinterSource(
            std::make_unique<platform::FixedPrinterSource>(std::move(printers)));
    }
    static platform::PrinterInfo virtualPrinter() {
        return {QStringLiteral("PDF writer"), QStringLiteral("cups-pdf:/"),
                QStringLiteral("Generic CUPS-PDF Printer"), true};
    }

    // The prints the server has recorded for the file (Opr 62).
    int printReports(std::int64_t key) {
        std::lock_guard lock(model.mutex);
        return int(std::count_if(model.logs.begin(), model.logs.end(), [&](const DocLog& log) {
            return log.opr == 62 && log.key == key;
        }));
    }
    // Waits until the server has recorded `count` prints, then a little longer, so that a
    // report sent too many shows too.
    int settledPrintReports(std::int64_t key, int count) {
        (void)QTest::qWaitFor([&] { return printReports(key) >= count; }, 5000);
        QTest::qWait(200);
        return printReports(key);
    }

    ApplicationFirst app;
    TempHome home;
    DocModel model;
    DocCommands commands{model};
    DocFileChannel files{model};
    DocServer server;
    TPreViewHint hint{HSL_CN, nullptr};

private:
    int m_copies = 0;
};

}  // namespace ov::test
