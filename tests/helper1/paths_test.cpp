#include "core/paths.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include "fixtures.h"

#include "platform/registry.h"
#include "support/temphome.h"

using namespace ov;

namespace {

void touch(const QString& fileName) {
    QDir().mkpath(QFileInfo(fileName).path());
    QFile file(fileName);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
}

}  // namespace

TEST(Paths, NameHelpers) {
    struct {
        const char* path;
        const char* parent;
        const char* title;
        const char* ext;
    } const cases[] = {
        {"/a/b/", "/a/", "", ""},
        {"/a/b/c.doc", "/a/b/", "c", "doc"},
        {"/", "", "", ""},
        {"abc", "", "abc", ""},
        {"", "", "", ""},
        {"a\\b\\c.tar.gz", "a\\b\\", "c.tar", "gz"},
        {"/x/name.", "/x/", "name", "."},
        {"/x/.bashrc", "/x/", "", "bashrc"},
        {"/home/u/v1.2/readme", "/home/u/v1.2/", "readme", ""},  // dot in a folder name
    };
    for (const auto& c : cases) {
        const QString path = QString::fromUtf8(c.path);
        EXPECT_EQ(ExtractParentPath(path), QString::fromUtf8(c.parent)) << c.path;
        EXPECT_EQ(ExtractFileTitle(path), QString::fromUtf8(c.title)) << c.path;
        EXPECT_EQ(ExtractFileExtNoDot(path), QString::fromUtf8(c.ext)) << c.path;
    }
}

TEST(Paths, ForceFolderForFilesAndFolders) {
    test::TempHome home;
    const QString root = home.path();
    EXPECT_TRUE(ForceFolder(root + QStringLiteral("a\\b/c.txt")));
    EXPECT_TRUE(QFileInfo(root + QStringLiteral("a/b")).isDir());
    EXPECT_FALSE(QFileInfo::exists(root + QStringLiteral("a/b/c.txt")));

    EXPECT_TRUE(ForceFolder(root + QStringLiteral("d.e/f")));
    EXPECT_TRUE(QFileInfo(root + QStringLiteral("d.e/f")).isDir());

    // A dotted last name is a file name unless the caller says it holds a folder.
    EXPECT_TRUE(ForceFolder(root + QStringLiteral("g/v1.2")));
    EXPECT_FALSE(QFileInfo::exists(root + QStringLiteral("g/v1.2")));
    EXPECT_TRUE(ForceFolder(root + QStringLiteral("g/v1.2"), /*isFolder=*/true));
    EXPECT_TRUE(QFileInfo(root + QStringLiteral("g/v1.2")).isDir());

    EXPECT_FALSE(ForceFolder(QString()));
    touch(root + QStringLiteral("plain"));
    EXPECT_FALSE(ForceFolder(root + QStringLiteral("plain/sub/")));
}

TEST(Paths, ServerInstallFolderSearchWalksUpward) {
    test::TempHome home;
    const QString bin = home.file(QStringLiteral("srv/bin/"));
    const QString tools = bin + QStringLiteral("tools/deep/");
    QDir().mkpath(tools +
                  QStringLiteral("QuexInetsrv.exe"));  // a folder of that name does not count
    touch(tools + QStringLiteral("kelvo.exe"));        // names are exact
    EXPECT_EQ(FindServerInstallPath(tools), QString());

    for (const char* program : {"wynAux.exe", "Kelvo.exe", "QuexInetsrv.exe"}) {
        const QString marker = bin + QString::fromUtf8(program);
        touch(marker);
        EXPECT_EQ(FindServerInstallPath(tools), bin) << program;
        EXPECT_EQ(FindServerInstallPath(tools.chopped(1)), bin) << program;
        QFile::remove(marker);
    }
}

TEST(Paths, NoServerBesideTheTestProgram) {
    // The test program's folder and its parents hold no server, so both results stay empty.
    ClearServerPathCaches();
    EXPECT_EQ(GetServerInstallPath(), QString());
    EXPECT_EQ(GetServerDataRoot(), QString());
}

TEST(Paths, UserFoldersArePrivateAndCreated) {
    test::TempHome home;
    const QString dataHome = home.file(QStringLiteral(".local/share/"));
    EXPECT_EQ(GetSpecialFolder(16), dataHome);
    EXPECT_EQ(GetUserDataPath(), dataHome + QStringLiteral("Ov/"));
    EXPECT_EQ(GetLocalTempPath(), dataHome + QStringLiteral("Ov/Temp/"));
    for (const QString& folder : {GetUserDataPath(), GetLocalTempPath()}) {
        const QFileInfo info(folder);
        EXPECT_TRUE(info.isDir());
        EXPECT_EQ(info.permissions() & (QFile::ReadGroup | QFile::ReadOther | QFile::ExeOther),
                  QFile::Permissions());
    }
    EXPECT_EQ(GetPersonalPath(), home.file(QStringLiteral("Documents/")));
    EXPECT_EQ(GetSpecialFolder(-1), QString());
    EXPECT_EQ(GetSpecialFolder(23), QString());
    EXPECT_TRUE(GetModulePath().endsWith(u'/'));
}

TEST(Paths, ClientPathFromRegistry) {
    test::TempHome home;
    EXPECT_EQ(GetClientPath(), GetModulePath());

    const QString folder = home.file(QStringLiteral("client.d/bin/"));
    ASSERT_TRUE(platform::Registry::writeString(platform::Hive::ClassesRoot,
                                                QStringLiteral("\\OvClient\\DefaultIcon"),
                                                QString(), folder + QStringLiteral("OvClient,0")));
    EXPECT_EQ(GetClientPath(), folder);
    EXPECT_TRUE(QFileInfo(folder).isDir());
}
