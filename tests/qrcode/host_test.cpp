// The camera members as a page calls them, through ovctrl-host.

#include <gtest/gtest.h>

#include "codepicture.h"

#include "support/ovhost.h"
#include "support/temphome.h"

using namespace Qt::StringLiterals;

namespace {

TEST(QrCodeHost, WithoutACamera) {
    ov::test::TempHome home;
    int code = -1;
    QString output = ov::test::RunOvHost({u"--register"_s, QStringLiteral(OV_CTRL_LIB)}, &code);
    ASSERT_EQ(code, 0) << output.toStdString();
    output = ov::test::RunOvHost({QStringLiteral(OV_SCRIPTS_DIR "/nocamera.js")}, &code);
    EXPECT_EQ(code, 0) << output.toStdString();
}

TEST(QrCodeHost, ReadsTheCodeOfTheCamerasStill) {
    ov::test::TempHome home;
    const QString text = u"文档管理系统 https://例子.cn/?q=二维码&x=1"_s;
    const QString picture = home.file(u"code.png"_s);
    ASSERT_TRUE(ov::test::CodePicture(text, ZXing::BarcodeFormat::QRCode, 300, 300).save(picture));
    int code = -1;
    QString output = ov::test::RunOvHost({u"--register"_s, QStringLiteral(OV_CTRL_LIB)}, &code);
    ASSERT_EQ(code, 0) << output.toStdString();
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(u"OV_CAMERA_PICTURE"_s, picture);
    output = ov::test::RunOvHost({QStringLiteral(OV_SCRIPTS_DIR "/readcode.js"), text}, &code,
                                 240000, environment);
    EXPECT_EQ(code, 0) << output.toStdString();
}

}  // namespace
