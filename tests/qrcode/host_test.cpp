// The camera members as a page calls them, through ovctrl-host.

#include <gtest/gtest.h>

#include <QProcess>

#include "support/temphome.h"

using namespace Qt::StringLiterals;

namespace {

QString Host(const QStringList& args, int* exitCode) {
    QProcess process;
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

}  // namespace
