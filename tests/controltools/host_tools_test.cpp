// A page script runs GetOldVer, ExportFileList and LogExport through ovctrl-host against the
// test server (the host answers the dialogs as a user confirming them would).

#include "testing/docserver/httpside.h"
#include "versions/fixture.h"

#include <QProcess>

using namespace Qt::StringLiterals;

namespace ov::test {

namespace {

QString RunHost(const QStringList& args, const QString& folder, int* code) {
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.setWorkingDirectory(folder);
    process.start(QStringLiteral(OV_HOST_EXE), args);
    if (!process.waitForFinished(300000)) process.kill();
    process.waitForFinished();
    *code = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    return QString::fromUtf8(process.readAll());
}

class HostToolsTest : public VersionsTest {
protected:
    HostToolsTest() { http.install(server); }
    DocHttp http{model};
};

TEST_P(HostToolsTest, PageScriptFetchesVersionsAndExports) {
    files.setContent(demo::ManualFile, "manual now");
    {
        std::lock_guard lock(model.mutex);
        File(demo::ManualFile).version = 2;
    }
    const QString exports = home.file(u"exports/"_s);
    QDir().mkpath(exports);
    int code = -1;
    QString out = RunHost({u"--register"_s, QStringLiteral(OV_CTRL_LIB)}, exports, &code);
    ASSERT_EQ(code, 0) << out.toStdString();
    out = RunHost({QStringLiteral(OV_SCRIPTS_DIR "/tools.js"), QString::number(demo::ManualFile),
                   QString::number(demo::MechanicsFolder)},
                  exports, &code);
    ASSERT_EQ(code, 0) << out.toStdString();
    const QString folder = work + u"设计部/设计图纸/机械/"_s;
    EXPECT_EQ(ReadAll(folder + u"装配说明.docx"_s), QByteArray("manual now"));
    EXPECT_FALSE(ReadAll(folder + u"装配说明_2.docx"_s).isEmpty());
    const QStringList books = QDir(exports).entryList({u"FileList*.xls"_s}, QDir::Files);
    ASSERT_EQ(books.size(), 1) << out.toStdString();
    EXPECT_TRUE(ReadAll(exports + books[0]).startsWith("\xD0\xCF\x11\xE0"));
    EXPECT_TRUE(out.contains(u"Operation is complete"_s)) << out.toStdString();
}

INSTANTIATE_TEST_SUITE_P(Plain, HostToolsTest, ::testing::Values(false));

}  // namespace

}  // namespace ov::test
