#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <mutex>
#include <thread>
#include <vector>

#include <sys/stat.h>

#include "platform/tempfiles.h"
#include "support/temphome.h"

using namespace Qt::StringLiterals;
using ov::platform::createPreviewFile;
using ov::platform::createUniqueFile;
using ov::platform::previewTimeStamp;

namespace {

QDateTime at(int y, int mo, int d, int h, int mi, int s, int ms) {
    return QDateTime(QDate(y, mo, d), QTime(h, mi, s, ms));
}

mode_t modeOf(const QString& path) {
    struct stat info {};
    ::lstat(QFile::encodeName(path).constData(), &info);
    return info.st_mode & 07777;
}

TEST(TempFiles, TimeStampHasMillisecondsWithoutLeadingZeros) {
    EXPECT_EQ(previewTimeStamp(at(2023, 12, 9, 15, 12, 30, 507)), u"231209151230507"_s);
    EXPECT_EQ(previewTimeStamp(at(2024, 1, 2, 3, 4, 5, 7)), u"2401020304057"_s);
    EXPECT_EQ(previewTimeStamp(at(2009, 10, 11, 23, 59, 59, 0)), u"0910112359590"_s);
}

TEST(TempFiles, SameMillisecondGivesSeparatePrivateFiles) {
    ov::test::TempHome home;
    const QString folder = home.file(u"share/Ov/Temp/"_s);  // created on demand
    const QDateTime when = at(2023, 12, 9, 15, 12, 30, 507);
    const auto first = createPreviewFile(folder, u"docx"_s, when);
    const auto second = createPreviewFile(folder, u"docx"_s, when);
    ASSERT_TRUE(first && second);
    EXPECT_EQ(*first, folder + u"231209151230507.docx"_s);
    EXPECT_EQ(*second, folder + u"231209151230507_2.docx"_s);
    EXPECT_EQ(modeOf(*first), 0600u);
    EXPECT_EQ(modeOf(*second), 0600u);
    EXPECT_EQ(modeOf(folder.chopped(1)), 0700u);
}

TEST(TempFiles, ExistingLinkIsNeitherFollowedNorReused) {
    ov::test::TempHome home;
    const QString folder = home.file(u"tmp/"_s);
    QDir().mkpath(folder);
    const QString target = home.file(u"victim.txt"_s);
    ASSERT_TRUE(QFile::link(target, folder + u"name.pdf"_s));  // dangling link
    const auto made = createUniqueFile(folder, u"name"_s, u".pdf"_s);
    ASSERT_TRUE(made);
    EXPECT_EQ(*made, folder + u"name_2.pdf"_s);
    EXPECT_FALSE(QFileInfo::exists(target));
}

TEST(TempFiles, RefusesNamesThatLeaveTheFolder) {
    ov::test::TempHome home;
    const QString folder = home.file(u"tmp/"_s);
    EXPECT_FALSE(createUniqueFile(folder, u"../x"_s, u".pdf"_s));
    EXPECT_FALSE(createUniqueFile(folder, u"x"_s, u"/../../y"_s));
    EXPECT_FALSE(createUniqueFile(folder, QString(), u".pdf"_s));
    EXPECT_FALSE(createUniqueFile(QString(), u"x"_s, u".pdf"_s));
}

TEST(TempFiles, ConcurrentPreviewsNeverShareAFile) {
    ov::test::TempHome home;
    const QString folder = home.file(u"tmp/"_s);
    const QDateTime when = at(2023, 12, 9, 15, 12, 30, 507);
    constexpr int kThreads = 8, kEach = 40;
    std::mutex lock;
    QStringList made;
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t) {
        threads.emplace_back([&] {
            for (int i = 0; i < kEach; ++i) {
                const auto path = createPreviewFile(folder, u"pdf"_s, when);
                std::lock_guard guard(lock);
                made.append(path.value_or(QString()));
            }
        });
    }
    for (auto& t : threads)
        t.join();
    const QSet<QString> unique(made.begin(), made.end());
    EXPECT_EQ(unique.size(), kThreads * kEach);
    EXPECT_FALSE(unique.contains(QString()));
    EXPECT_EQ(QDir(folder).entryList(QDir::Files).size(), kThreads * kEach);
}

}  // namespace
