// The control's previews as a page drives them: ovctrl-host runs a script against the test
// server, which serves the demo documents.

#include <gtest/gtest.h>

#include "core/filetype.h"
#include "hostserver.h"
#include "support/temphome.h"

using namespace Qt::StringLiterals;

namespace ov::test {
namespace {

QString codeOf(const char* ext) {
    return QString::number(FileExtToCode(QLatin1StringView(ext)));
}

TEST(ControlPreview, PdfAndWordShowInsideTheControlWithThePagesOptions) {
    TempHome home;
    Server server;
    ASSERT_EQ(registerControl().exitCode, 0);
    const HostRun run = host({QStringLiteral(OV_SCRIPTS_DIR "/preview.js"), server.address(),
                          server.identity(), QString::number(demo::GearboxPdfFile), codeOf("pdf"),
                          QString::number(demo::TrackedWordFile), codeOf("docx"),
                          EncryptStringByKey(u"Readonly=False,CanPrint=True,HashPs=abc,"_s,
                                             u"qv7351_mxzt"_s, 3)});
    EXPECT_EQ(run.exitCode, 0) << run.output.toStdString();
    EXPECT_TRUE(run.output.contains(u"preview ok"_s)) << run.output.toStdString();
}

}  // namespace
}  // namespace ov::test
