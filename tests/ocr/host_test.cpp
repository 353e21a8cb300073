// The OCR members as a page calls them, through ovctrl-host.

#include <gtest/gtest.h>

#include <QGuiApplication>

#include "pictures.h"
#include "support/ovhost.h"
#include "support/temphome.h"

using namespace Qt::StringLiterals;

namespace {

TEST(OcrHost, LoadsAndReadsAPicture) {
    int argc = 1;
    char name[] = "test_ocr_host";
    char* argv[] = {name, nullptr};
    QGuiApplication app(argc, argv);  // the picture is drawn with a font
    ov::test::TempHome home;
    const QString png = home.file(u"page.png"_s);
    ASSERT_TRUE(ov::test::WritePng(
        ov::test::TextPicture({u"Document management"_s, u"Quarterly report 2026"_s}), png));
    int code = -1;
    QString output = ov::test::RunOvHost({u"--register"_s, QStringLiteral(OV_CTRL_LIB)}, &code);
    ASSERT_EQ(code, 0) << output.toStdString();
    output = ov::test::RunOvHost({QStringLiteral(OV_SCRIPTS_DIR "/ocr.js"), png}, &code);
    EXPECT_EQ(code, 0) << output.toStdString();
}

}  // namespace
