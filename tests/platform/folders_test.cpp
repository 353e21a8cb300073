#include "platform/folders.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFile>

#include "platform/registry.h"
#include "support/temphome.h"

using namespace ov::platform;

namespace {

int modeOf(const QString& path) {
    struct stat info {};
    return ::stat(QFile::encodeName(path).constData(), &info) == 0 ? (info.st_mode & 07777) : -1;
}

// Sets an environment variable for one test; TempHome does not know every variable.
class EnvOverride {
public:
    EnvOverride(const char* name, const QString& value)
        : m_name(name), m_old(qgetenv(name)), m_wasSet(qEnvironmentVariableIsSet(name)) {
        if (value.isNull())
            qunsetenv(name);
        else
            qputenv(name, value.toLocal8Bit());
    }
    ~EnvOverride() {
        if (m_wasSet)
            qputenv(m_name, m_old);
        else
            qunsetenv(m_name);
    }

private:
    const char* m_name;
    QByteArray m_old;
    bool m_wasSet;
};

}  // namespace

TEST(Folders, SpecialFoldersFollowHomeAndXdg) {
    ov::test::TempHome home;
    const EnvOverride tmp("TMPDIR", home.file(QStringLiteral("tmp")));
    ASSERT_TRUE(QDir().mkpath(home.file(QStringLiteral("tmp"))));
    const struct {
        int index;
        QString expected;
    } cases[] = {
        {0, home.file(QStringLiteral("Desktop/"))},
        {2, home.file(QStringLiteral(".local/share/applications/"))},
        {3, home.file(QStringLiteral(".config/autostart/"))},
        {4, home.file(QStringLiteral("Documents/"))},
        {5, home.file(QStringLiteral(".config/"))},
        {10, home.file(QStringLiteral(".cache/"))},
        {16, home.file(QStringLiteral(".local/share/"))},
        {19, home.file(QStringLiteral("tmp/"))},
        {20, QStringLiteral("/")},
        // No meaning here, or no such index.
        {1, {}},
        {7, {}},
        {17, {}},
        {18, {}},
        {21, {}},
        {22, {}},
        {-1, {}},
        {23, {}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(specialFolder(c.index), c.expected) << c.index;
}

TEST(Folders, ProgramAndCommonFilesComeFromTheRegistryStore) {
    ov::test::TempHome home;
    const QString key = QStringLiteral("SOFTWARE\\Microsoft\\Windows\\CurrentVersion");
    ASSERT_TRUE(Registry::writeString(Hive::LocalMachine, key, QStringLiteral("ProgramFilesDir"),
                                      QStringLiteral("/opt")));
    ASSERT_TRUE(Registry::writeString(Hive::LocalMachine, key, QStringLiteral("CommonFilesDir"),
                                      QStringLiteral("/opt/common")));
    EXPECT_EQ(specialFolder(21), QStringLiteral("/opt/"));
    EXPECT_EQ(specialFolder(22), QStringLiteral("/opt/common/"));
    ASSERT_TRUE(Registry::writeString(Hive::LocalMachine, key, QStringLiteral("CommonW6432Dir"),
                                      QStringLiteral("/opt/common64/")));
    EXPECT_EQ(specialFolder(22), QStringLiteral("/opt/common64/"));
}

TEST(Folders, MakeFolderGivesPrivateModeToEveryLevelItCreates) {
    ov::test::TempHome home;
    const QString parent = home.file(QStringLiteral("existing"));
    ASSERT_TRUE(QDir().mkpath(parent));
    ::chmod(QFile::encodeName(parent).constData(), 0755);
    const QString deep = parent + QStringLiteral("/a/b/");
    EXPECT_TRUE(makeFolder(deep, true));
    EXPECT_EQ(modeOf(parent), 0755);
    EXPECT_EQ(modeOf(parent + QStringLiteral("/a")), 0700);
    EXPECT_EQ(modeOf(deep), 0700);
    EXPECT_TRUE(makeFolder(deep, true));

    QFile file(home.file(QStringLiteral("plain")));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    EXPECT_FALSE(makeFolder(file.fileName() + QStringLiteral("/sub")));
    EXPECT_FALSE(makeFolder({}));
}

TEST(Folders, RuntimeFolderFallsBackToAPrivateFolder) {
    ov::test::TempHome home;
    EXPECT_EQ(runtimeFolder(), home.file(QStringLiteral("run/")));

    const EnvOverride noRuntime("XDG_RUNTIME_DIR", QString());
    const EnvOverride tmp("TMPDIR", home.file(QStringLiteral("tmp")));
    ASSERT_TRUE(QDir().mkpath(home.file(QStringLiteral("tmp"))));
    const QString inTemp =
        home.file(QStringLiteral("tmp/ov-runtime-%1/").arg(static_cast<qulonglong>(::getuid())));
    EXPECT_EQ(runtimeFolder(), inTemp);
    EXPECT_EQ(modeOf(inTemp), 0700);

    // A folder of that name that others may enter is not used.
    ::chmod(QFile::encodeName(inTemp).constData(), 0777);
    EXPECT_EQ(runtimeFolder(), home.file(QStringLiteral(".cache/Ov/run/")));
}
