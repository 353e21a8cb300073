// Local files that cannot be read, backed up, created or written. The transfers run in a child
// process: as an unprivileged user when the tests run as root (permissions do not stop root),
// and with a file-size limit for a write that fails half-way.

#include "fixture.h"

#include <sys/stat.h>
#include <unistd.h>
#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <cstdio>

using namespace ov;
using namespace ov::test;

namespace {

struct ProbeResult {
    int code = -1;
    QString text;
};

QByteArray Quoted(const QString& arg) {
    return '\'' + arg.toLocal8Bit().replace('\'', "'\\''") + '\'';
}

// Runs the probe as nobody (when root) with the arguments after port and token.
ProbeResult Probe(quint16 port, const QStringList& args, qint64 fileSizeLimit = 0) {
    QByteArray command;
    if (fileSizeLimit > 0) command += "OV_PROBE_FSIZE=" + QByteArray::number(fileSizeLimit) + ' ';
    if (::geteuid() == 0) command += "setpriv --reuid=nobody --regid=nogroup --clear-groups ";
    command += Quoted(QStringLiteral(OV_FILECHANNEL_PROBE)) + ' ' + QByteArray::number(port) + ' ' +
               Quoted(demo::DemoToken());
    for (const QString& arg : args)
        command += ' ' + Quoted(arg);
    FILE* out = ::popen(command.constData(), "r");
    ProbeResult result;
    if (!out) return result;
    char line[4096] = {};
    if (std::fgets(line, sizeof line, out)) result.code = std::atoi(line);
    if (std::fgets(line, sizeof line, out)) result.text = QString::fromUtf8(line).chopped(1);
    ::pclose(out);
    return result;
}

// A folder the probe may read but not change, with a file it may not read and one it may
// write but not move, and a sub-folder it may change. Made before the folder is locked, and
// strict enough to hold also when the tests do not run as root.
class LocalFileTest : public FileChannelTest {
protected:
    LocalFileTest() {
        QDir().mkpath(Dir(QStringLiteral("open")));
        SetMode(Dir(QStringLiteral("open")), 0777);
        WriteFile(Dir(QStringLiteral("secret.bin")), Pattern(5000));
        SetMode(Dir(QStringLiteral("secret.bin")), 0000);
        WriteFile(Dir(QStringLiteral("report.docx")), QByteArray("the user's work"));
        SetMode(Dir(QStringLiteral("report.docx")), 0666);
        SetMode(dir.path(), 0555);
    }
    ~LocalFileTest() override { SetMode(dir.path(), 0755); }

    QString Dir(const QString& name) const { return dir.path() + u'/' + name; }
    static void SetMode(const QString& path, mode_t mode) {
        ::chmod(QFile::encodeName(path).constData(), mode);
    }

    QTemporaryDir dir;
};

TEST_F(LocalFileTest, UnreadableUploadGives12) {
    const auto r = Probe(server.port(),
                         {QStringLiteral("upload"), Dir(QStringLiteral("secret.bin")),
                          QString::number(demo::DemoUser), QString::number(demo::MyDocsFolder)});
    EXPECT_EQ(r.code, RC_OpenFileErr);
    EXPECT_EQ(r.text, QStringLiteral(" Error occurred while opening local files! "));
}

TEST_F(LocalFileTest, FailedBackupStopsWith11AndLeavesTheFile) {
    const auto key = ServerFile(Pattern(3000));
    const QString target = Dir(QStringLiteral("report.docx"));  // in a folder it cannot change
    const auto r = Probe(server.port(), {QStringLiteral("download"), QString::number(key), target,
                                         QStringLiteral("replace")});
    EXPECT_EQ(r.code, RC_CreateFileErr);
    EXPECT_EQ(r.text, QStringLiteral(" Error occurred while writting local files! "));
    EXPECT_EQ(ReadFile(target), QByteArray("the user's work"));
}

TEST_F(LocalFileTest, TargetThatCannotBeCreatedGives127WithItsReason) {
    const auto key = ServerFile(Pattern(3000));
    const auto r = Probe(server.port(), {QStringLiteral("download"), QString::number(key),
                                         Dir(QStringLiteral("new.bin"))});
    EXPECT_EQ(r.code, RC_Exception);
    EXPECT_TRUE(r.text.startsWith(QStringLiteral("Cannot create file"))) << r.text.toStdString();
}

TEST_F(LocalFileTest, WriteThatFailsHalfWayGives11AndKeepsWhatWasWritten) {
    const QByteArray data = Pattern(4 * FileChunkSize);
    const auto key = ServerFile(data);
    const QString target = Dir(QStringLiteral("open/big.bin"));
    const auto r = Probe(server.port(), {QStringLiteral("download"), QString::number(key), target},
                         2 * FileChunkSize);
    EXPECT_EQ(r.code, RC_CreateFileErr);
    EXPECT_EQ(ReadFile(target), data.left(2 * FileChunkSize));
    // Without the limit the next attempt resumes.
    const auto again =
        Probe(server.port(), {QStringLiteral("download"), QString::number(key), target});
    EXPECT_EQ(again.code, RC_CanDownload) << again.text.toStdString();
    EXPECT_EQ(ReadFile(target), data);
}

}  // namespace
