// Something else under the name of a private file: a pipe must not block the program, a
// symbolic link must be replaced on saving and never written through; and a folder of ours
// found open to others is closed again.

#include "core/batchtranconfig.h"
#include "core/clientconfig.h"
#include "core/errors.h"
#include "core/paths.h"
#include "support/temphome.h"
#include "taskfixtures.h"

#include <gtest/gtest.h>
#include <QFile>
#include <QFileInfo>
#include <functional>

#include <sys/stat.h>

using namespace Qt::StringLiterals;

namespace ov {
namespace {

struct PrivateFile {
    const char* name;
    std::function<QString()> path;
    std::function<void()> loadAndSave;  // loads, changes one value, saves
};

const PrivateFile Files[] = {
    {"settings", [] { return GetUserDataPath() + u"zvq.sys"_s; },
     [] {
         TClientConfigX config;
         config.SetServerHost(u"saved.example"_s);
         EXPECT_TRUE(config.Save());
     }},
    {"settings beside", [] { return GetUserDataPath() + u"zvq.dsc"_s; },
     [] {
         TClientConfigX config;
         config.SetLastUploadPath(u"/saved/"_s);
     }},
    {"task file", [] { return GetLocalTempPath() + u"btr.sys"_s; },
     [] {
         TBatchTranConfig config;
         EXPECT_EQ(config.LoadError(), QString());
         config.AddTask(test::numberedTask(3));
         config.Save();
     }},
};

mode_t modeOf(const QString& path) {
    struct stat info {};
    ::lstat(QFile::encodeName(path).constData(), &info);
    return info.st_mode;
}

QByteArray contentOf(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

class SpecialFilesTest : public ::testing::Test {
protected:
    test::TempHome home;
};

TEST_F(SpecialFilesTest, APipeInPlaceOfAPrivateFileNeitherBlocksNorStays) {
    for (const PrivateFile& file : Files) {
        SCOPED_TRACE(file.name);
        const QString path = file.path();
        ASSERT_EQ(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
        file.loadAndSave();
        EXPECT_TRUE(S_ISREG(modeOf(path)));
        EXPECT_TRUE(contentOf(path).startsWith("\xFF\xFE"));
    }
    // Reading the settings beside the main file raises at once instead of waiting.
    const QString dsc = GetUserDataPath() + u"zvq.dsc"_s;
    QFile::remove(dsc);
    ASSERT_EQ(::mkfifo(QFile::encodeName(dsc).constData(), 0600), 0);
    EXPECT_THROW(TClientConfigX().LastUploadPath(), FileError);
}

TEST_F(SpecialFilesTest, ALinkInPlaceOfAPrivateFileIsReplacedNotWrittenThrough) {
    const QString victim = home.file(u"victim.txt"_s);
    for (const PrivateFile& file : Files) {
        SCOPED_TRACE(file.name);
        {
            QFile target(victim);
            ASSERT_TRUE(target.open(QIODevice::WriteOnly | QIODevice::Truncate));
            target.write("keep me");
        }
        ::chmod(QFile::encodeName(victim).constData(), 0644);
        const QString path = file.path();
        ASSERT_TRUE(QFile::link(victim, path));
        file.loadAndSave();
        EXPECT_EQ(contentOf(victim), "keep me");
        EXPECT_EQ(modeOf(victim) & 07777, 0644u);
        EXPECT_TRUE(S_ISREG(modeOf(path)));
        EXPECT_EQ(modeOf(path) & 077, 0u);  // the new file is the owner's alone
    }
}

TEST_F(SpecialFilesTest, OurFoldersFoundOpenAreClosedAgain) {
    const QString folders[] = {GetUserDataPath(), GetLocalTempPath()};
    for (const QString& folder : folders)
        ::chmod(QFile::encodeName(folder).constData(), 0755);
    GetLocalTempPath();  // both levels: Ov/ and Ov/Temp/
    for (const QString& folder : folders)
        EXPECT_EQ(modeOf(folder) & 07777, 0700u) << folder.toStdString();
}

}  // namespace
}  // namespace ov
