#include "core/ziparchive.h"

#include "core/errors.h"
#include "support/temphome.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>
#include <zip.h>
#include <QDir>
#include <QFile>

using namespace ov;

namespace {

// Writes an archive whose entries have exactly the given names (also unsafe ones).
void writeArchive(const QString& file,
                  const std::vector<std::pair<QByteArray, QByteArray>>& entries) {
    zipFile zip = zipOpen64(QFile::encodeName(file).constData(), APPEND_STATUS_CREATE);
    ASSERT_NE(zip, nullptr);
    for (const auto& [name, content] : entries) {
        zip_fileinfo info{};
        ASSERT_EQ(zipOpenNewFileInZip64(zip, name.constData(), &info, nullptr, 0, nullptr, 0,
                                        nullptr, Z_DEFLATED, Z_DEFAULT_COMPRESSION, 0),
                  ZIP_OK);
        zipWriteInFileInZip(zip, content.constData(), unsigned(content.size()));
        zipCloseFileInZip(zip);
    }
    zipClose(zip, nullptr);
}

QByteArray readFile(const QString& file) {
    QFile f(file);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

class ZipTest : public ::testing::Test {
protected:
    QString dir(const char* name) {
        const QString d = home.file(QLatin1String(name)) + u'/';
        QDir().mkpath(d);
        return d;
    }
    ov::test::TempHome home;
};

}  // namespace

TEST_F(ZipTest, ExtractsIntoSubFoldersWithoutOverwriting) {
    const QString zip = home.file(QStringLiteral("a.zip"));
    writeArchive(zip, {{"one.txt", "new one"}, {"sub/two.txt", "two"}, {"empty/", ""}});
    const QString out = dir("out");
    QFile existing(out + QStringLiteral("one.txt"));
    ASSERT_TRUE(existing.open(QIODevice::WriteOnly));
    existing.write("old one");
    existing.close();

    ExtractZipNoOverwrite(zip, out);
    EXPECT_EQ(readFile(out + QStringLiteral("one.txt")), QByteArray("old one"));
    EXPECT_EQ(readFile(out + QStringLiteral("sub/two.txt")), QByteArray("two"));
    EXPECT_TRUE(QFileInfo(out + QStringLiteral("empty")).isDir());
}

TEST_F(ZipTest, NoEntryEscapesTheFolder) {
    const QByteArray names[] = {"../x", "a/../../x", "/tmp/abs-x", "..\\x", "C:\\x", "C:x"};
    for (const QByteArray& name : names) {
        const QString zip = home.file(QStringLiteral("evil.zip"));
        QFile::remove(zip);
        // A harmless entry first: nothing at all is written from a tampered archive.
        writeArchive(zip, {{"first.txt", "1"}, {name, "escaped"}});
        const QString out = dir("deep/out");
        EXPECT_THROW(ExtractZipNoOverwrite(zip, out), FileError) << name.constData();
        EXPECT_TRUE(QDir(out).isEmpty()) << name.constData();
        EXPECT_FALSE(QFile::exists(home.file(QStringLiteral("deep/x"))));
        EXPECT_FALSE(QFile::exists(home.file(QStringLiteral("x"))));
    }
    EXPECT_FALSE(QFile::exists(QStringLiteral("/tmp/abs-x")));
}

TEST_F(ZipTest, DamagedArchiveAndSizeLimitRaise) {
    const QString bad = home.file(QStringLiteral("bad.zip"));
    QFile f(bad);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("PK\x03\x04 not really an archive");
    f.close();
    EXPECT_THROW(ExtractZipNoOverwrite(bad, dir("o1")), FileError);

    const QString big = home.file(QStringLiteral("big.zip"));
    writeArchive(big, {{"big.bin", QByteArray(100000, 'z')}});
    EXPECT_THROW(ExtractZipNoOverwrite(big, dir("o2"), 50000), FileError);
}

TEST_F(ZipTest, EmbeddedArchiveIsUnpackedThroughATemporaryFileThatNeverStays) {
    const QString out = dir("lib");
    QFile keep(out + QStringLiteral("libcrypto.so.test"));
    ASSERT_TRUE(keep.open(QIODevice::WriteOnly));
    keep.write("mine");
    keep.close();

    UnzipResourceFile(QStringLiteral("IDR_TEST_LIBS"), QStringLiteral("ZIP"), out);
    EXPECT_EQ(readFile(out + QStringLiteral("libcrypto.so.test")), QByteArray("mine"));
    EXPECT_EQ(readFile(out + QStringLiteral("libssl.so.test")), QByteArray("ssl library"));
    EXPECT_EQ(readFile(out + QStringLiteral("runtime/helper.txt")), QByteArray("runtime helper"));
    EXPECT_FALSE(QFile::exists(out + QStringLiteral("tmpfilesnx.zip")));

    // A resource that is not there does nothing.
    const QString other = dir("other");
    UnzipResourceFile(QStringLiteral("IDR_NONE"), QStringLiteral("ZIP"), other);
    EXPECT_TRUE(QDir(other).isEmpty());
}

TEST_F(ZipTest, UnwritableFolderRaisesAndLeavesNoTemporaryArchive) {
    // Root may write anywhere: the unpacking runs in a child that has dropped to "nobody".
    const QString out = dir("locked");
    QFile::setPermissions(home.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner |
                                           QFile::ReadOther | QFile::ExeOther);
    QFile::setPermissions(out,
                          QFile::ReadOwner | QFile::ExeOwner | QFile::ReadOther | QFile::ExeOther);
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        if (geteuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0)) _exit(3);
        try {
            UnzipResourceFile(QStringLiteral("IDR_TEST_LIBS"), QStringLiteral("ZIP"), out);
        } catch (const FileError&) {
            _exit(0);
        }
        _exit(1);
    }
    int status = 0;
    waitpid(child, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
    EXPECT_FALSE(QFile::exists(out + QStringLiteral("tmpfilesnx.zip")));
    EXPECT_TRUE(QDir(out).isEmpty());
    QFile::setPermissions(out, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}
