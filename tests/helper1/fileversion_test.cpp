#include "core/fileversion.h"

#include <gtest/gtest.h>

#include <QRegularExpression>
#include "fixtures.h"

#include "support/temphome.h"

using namespace ov;

TEST(FileVersion, FormatIsFilledWithoutPrintf) {
    const QString full = GetFileVersionText(QString(), QStringLiteral("%d.%d.%d.%d"));
    EXPECT_TRUE(
        QRegularExpression(QStringLiteral("^\\d+\\.\\d+\\.\\d+\\.\\d+$")).match(full).hasMatch())
        << full.toStdString();
    const QStringList parts = full.split(u'.');
    ASSERT_EQ(parts.size(), 4);

    // Only %d is a conversion; a fifth %d has no number and stays literal.
    const QString odd =
        GetFileVersionText(QString(), QStringLiteral("v%d %s %n %x %5d %%d %d.%d.%d%d"));
    EXPECT_EQ(odd, QStringLiteral("v%1 %s %n %x %5d %d %2.%3.%4%d")
                       .arg(parts[0], parts[1], parts[2], parts[3]));
}

TEST(FileVersion, UnversionedFileGivesEmptyText) {
    test::TempHome home;
    EXPECT_EQ(GetFileVersionText(home.file(QStringLiteral("missing.bin")), QStringLiteral("%d")),
              QString());
}

TEST(FileVersion, LanguageNameIsBounded) {
    EXPECT_LE(GetSystemLanguageName().size(), 50);
}
