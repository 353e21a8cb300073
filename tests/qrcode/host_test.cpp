// The camera members as a page calls them, through ovctrl-host.

#include <gtest/gtest.h>

#include <QProcess>
#include <QProcessEnvironment>

#include "codepicture.h"

#include "support/temphome.h"

using namespace Qt::StringLiterals;

namespace {

QString Host(const QStringList& args, int* exitCode,
             const QProcessEnvironment& environment = QProcessEnvironment::systemEnvironment()) {
    QProcess process;
    process.setProcessEnvironment(environment);
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(QStringLiteral(OV_HOST_EXE), args);
    if (!process.waitForFinished(240000)) process.kill();
    process.waitForFinished();
    *exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    return QString::fromUtf8(process.readAll());
}

TEST(QrCodeHost, WithoutACamera) {
    ov::test::TempHome home;
    int code = -1;
    QString output = Host({u"--register"_s, QStringLiteral(OV_CTRL_LIB)}, &code);
    ASSERT_EQ(code, 0) << output.toStdString();
    output = Host({QStringLiteral(OV_SCRIPTS_DIR "/nocamera.js")}, &code);
    EXPECT_EQ(code, 0) << output.toStdString();
}

TEST(QrCodeHost, ReadsTheCodeOfTheCamerasStill) {
    ov::test::TempHome home;
    const QString text = u"文档管理系统 https://例子.cn/?q=二维码&x=1"_s;
    const QString picture = home.file(u"code.png"_s);
    ASSERT_TRUE(ov::test::CodePicture(text, ZXing::BarcodeFormat::QRCode, 300, 300).save(picture));
    int code = -1;
    QString output = Host({u"--register"_s, QStringLiteral(OV_CTRL_LIB)}, &code);
    ASSERT_EQ(code, 0) << output.toStdString();
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(u"OV_CAMERA_PICTURE"_s, picture);
    output = Host({QStringLiteral(OV_SCRIPTS_DIR "/readcode.js"), text}, &code, environment);
    EXPECT_EQ(code, 0) << output.toStdString();
}

}  // namespace
