#include "platform/sysinfo.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

using namespace ov::platform;

namespace {

QString writeFile(const QTemporaryDir& dir, const char* name, const QByteArray& content) {
    const QString path = dir.filePath(QString::fromLatin1(name));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(content) != content.size()) return {};
    return path;
}

std::array<int, 4> builtVersion() {
    const QList<QByteArray> parts = QByteArray(OV_FILE_VERSION).split('.');
    return {parts[0].toInt(), parts[1].toInt(), parts[2].toInt(), parts[3].toInt()};
}

}  // namespace

TEST(SysInfo, LanguageNames) {
    EXPECT_TRUE(languageName(QLocale(QStringLiteral("zh_CN"))).contains(QStringLiteral("中文")));
    EXPECT_TRUE(languageName(QLocale(QStringLiteral("zh_TW"))).contains(QStringLiteral("中文")));
    EXPECT_TRUE(languageName(QLocale(QStringLiteral("en_US"))).contains(QStringLiteral("English")));
    EXPECT_EQ(languageName(QLocale::c()), QStringLiteral("English"));
    EXPECT_LE(systemLanguageName().size(), 50);
}

TEST(SysInfo, ModulePathIsTheFolderOfThisProgram) {
    const QString exe = QFileInfo(QStringLiteral("/proc/self/exe")).symLinkTarget();
    EXPECT_EQ(modulePath(), QFileInfo(exe).canonicalPath() + QStringLiteral("/"));
}

TEST(SysInfo, FileVersionOfOurOwnBinaries) {
    const QString exe = QFileInfo(QStringLiteral("/proc/self/exe")).symLinkTarget();
    EXPECT_EQ(fileVersion(), builtVersion());
    EXPECT_EQ(fileVersion(exe), builtVersion());
}

TEST(SysInfo, FileVersionOfOtherFiles) {
    QTemporaryDir dir;
    // Put together at run time, so this program holds no marker text of its own.
    const QByteArray marker = QByteArray(1, '\0') + "OVFILE" + "VERSION:";
    // A marker cut by the scan's chunk boundary (1 MiB) is still found, after a broken one.
    QByteArray straddling(1024 * 1024 - 20, 'x');
    straddling += marker + "70000.1.2.3" + '\0' + marker + "10.1.0.7698" + '\0' + "tail";
    ASSERT_EQ(straddling.indexOf("10.1.0"), 1024 * 1024 - 20 + 2 * 15 + 12);
    const struct {
        const char* name;
        QByteArray content;
        std::optional<std::array<int, 4>> expected;
    } cases[] = {
        {"plain.txt", "no version here", std::nullopt},
        {"empty.bin", {}, std::nullopt},
        {"straddling.bin", straddling, std::array<int, 4>{10, 1, 0, 7698}},
        {"end.bin", marker + "1.2.3.4" + '\0', std::array<int, 4>{1, 2, 3, 4}},
        {"unterminated.bin", marker + "1.2.3.4", std::nullopt},
        {"three.bin", marker + "1.2.3" + '\0', std::nullopt},
        {"signs.bin", marker + "1.+2.3.4" + '\0', std::nullopt},
    };
    for (const auto& c : cases) {
        const QString path = writeFile(dir, c.name, c.content);
        ASSERT_FALSE(path.isEmpty());
        EXPECT_EQ(fileVersion(path), c.expected) << c.name;
    }
    EXPECT_EQ(fileVersion(dir.filePath(QStringLiteral("missing.exe"))), std::nullopt);
    EXPECT_EQ(fileVersion(dir.path()), std::nullopt);
}

TEST(SysInfo, ANativeProcessIsNotA32BitProcessOnA64BitSystem) {
    if (sizeof(void*) < 8) GTEST_SKIP() << "a 32-bit build";
    EXPECT_FALSE(is32BitProcessOn64BitSystem());
}
