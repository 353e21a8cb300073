#include "platform/atomicfile.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

using namespace ov::platform;

namespace {

QByteArray contentOf(const QString& fileName) {
    QFile file(fileName);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

}  // namespace

TEST(AtomicFile, ReplacesContentAndKeepsPermissions) {
    QTemporaryDir dir;
    const QString name = dir.filePath(QStringLiteral("shared.txt"));
    ASSERT_TRUE(writeFileAtomically(name, "first"));
    ASSERT_TRUE(
        QFile::setPermissions(name, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup));
    ASSERT_TRUE(writeFileAtomically(name, "second"));
    EXPECT_EQ(contentOf(name), QByteArray("second"));
    const auto ownerGroupOther = QFileDevice::Permissions::fromInt(0x7077);
    EXPECT_EQ(QFile::permissions(name) & ownerGroupOther,
              QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup);
    // No temporary file is left beside it.
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("shared.txt")});
}

TEST(AtomicFile, FailureLeavesNothingAndSaysWhy) {
    QTemporaryDir dir;
    QString error;
    EXPECT_FALSE(writeFileAtomically(dir.filePath(QStringLiteral("missing/x.txt")), "x", &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_TRUE(QDir(dir.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries).isEmpty());
}
