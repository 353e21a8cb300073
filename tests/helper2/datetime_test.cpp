#include "core/datetime.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <clocale>
#include <cmath>
#include <limits>

#include "core/errors.h"
#include "support/temphome.h"

using namespace ov;
using namespace Qt::StringLiterals;

namespace {

constexpr double kSecond = 1.0 / 86400;

struct TextCase {
    double value;
    const char* text;
};

// Values and their text; before 1899-12-30 the fraction is subtracted from the (negative) day.
const TextCase kTextCases[] = {
    {0.0, "1899-12-30 00:00:00"},
    {45292 + kSecond, "2024-01-01 00:00:01"},
    {45292.5, "2024-01-01 12:00:00"},
    {45296 + (13 * 3600 + 45 * 60 + 10) * kSecond, "2024-01-05 13:45:10"},
    {0.25, "1899-12-30 06:00:00"},
    {-1.25, "1899-12-29 06:00:00"},
    {-1.0, "1899-12-29 00:00:00"},
    {-36522 - 0.75, "1800-01-01 18:00:00"},
    {-693593.0, "0001-01-01 00:00:00"},
    {2958465 + 86399 * kSecond, "9999-12-31 23:59:59"},
};

TEST(DateTimeText, FormatsAndParsesBack) {
    for (const TextCase& c : kTextCases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(DateTimeToText(c.value), QString::fromLatin1(c.text));
        EXPECT_NEAR(TextToDateTime(QString::fromLatin1(c.text)), c.value, 1e-9);
    }
}

TEST(DateTimeText, FractionRulesAndRounding) {
    // A negative value within the first day keeps day 0; its fraction's absolute value is the time.
    EXPECT_EQ(DateTimeToText(-0.25), u"1899-12-30 06:00:00");
    // Rounded to milliseconds first, so a hair below midnight is the next day.
    EXPECT_EQ(DateTimeToText(0.9999999999), u"1899-12-31 00:00:00");
    EXPECT_EQ(DateTimeToText(-1.9999999999), u"1899-12-28 00:00:00");
    // Seconds are cut, not rounded.
    EXPECT_EQ(DateTimeToText(45292 + 1.9 * kSecond), u"2024-01-01 00:00:01");
    // Out of the representable years.
    EXPECT_EQ(DateTimeToText(-693594.0), u"");
    EXPECT_EQ(DateTimeToText(2958466.0), u"");
    EXPECT_EQ(DateTimeToText(std::numeric_limits<double>::quiet_NaN()), u"");
    EXPECT_EQ(DateTimeToText(std::numeric_limits<double>::infinity()), u"");
}

TEST(DateTimeText, AcceptsDateOnlyAndShortForms) {
    const struct {
        const char* text;
        double value;
    } cases[] = {
        {"2024-01-05", 45296.0},
        {"  2024-1-5  ", 45296.0},
        {"2024-01-05 7:08", 45296 + (7 * 3600 + 8 * 60) * kSecond},
        {"2024-01-05  07:08:09 ", 45296 + (7 * 3600 + 8 * 60 + 9) * kSecond},
        {"2024-01-05 00:00:00.250", 45296 + 0.25 * kSecond},
        {"1899-12-29 23:59:59", -1 - 86399 * kSecond},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_NEAR(TextToDateTime(QString::fromLatin1(c.text)), c.value, 1e-9);
    }
}

TEST(DateTimeText, RejectsOtherForms) {
    const QString bad[] = {
        u""_s,
        u"   "_s,
        u"2024/01/05"_s,
        u"24-01-05"_s,
        u"02024-01-05"_s,
        u"2024-13-01"_s,
        u"2024-02-30"_s,
        u"2024-01-05 24:00:00"_s,
        u"2024-01-05 12:60"_s,
        u"2024-01-05 12"_s,
        u"2024-01-0512:00"_s,
        u"2024-01-05T12:00:00"_s,
        u"2024-01-05 12:00:00 pm"_s,
        u"2024-01-05 12:00:00.5"_s,
        u"2024-01-05\t12:00"_s,
        QString::fromUtf8("\uFF12\uFF10\uFF12\uFF14-01-05"),  // full-width digits
    };
    for (const QString& text : bad) {
        SCOPED_TRACE(text.toStdString());
        try {
            TextToDateTime(text);
            ADD_FAILURE() << "accepted";
        } catch (const ConvertError& e) {
            EXPECT_EQ(e.message(), u"Wrong date format"_s + text);
        }
        EXPECT_EQ(TextToDateTimeDef(text, -7.5), -7.5);
    }
    EXPECT_EQ(TextToDateTimeDef(u"2024-01-01"_s, -7.5), 45292.0);
}

// Formatting and parsing ignore the locale, both Qt's default and the C library's.
TEST(DateTimeText, IndependentOfLocale) {
    const std::string oldC = std::setlocale(LC_ALL, nullptr);
    const QByteArray oldEnv =
        qEnvironmentVariableIsSet("LC_ALL") ? qgetenv("LC_ALL") : QByteArray();
    for (const char* name : {"de_DE.UTF-8", "zh_CN.UTF-8"}) {
        SCOPED_TRACE(name);
        qputenv("LC_ALL", name);
        std::setlocale(LC_ALL, "");
        QLocale::setDefault(QLocale(QString::fromLatin1(name).left(5)));
        EXPECT_EQ(DateTimeToText(45292.75 + 5 * kSecond), u"2024-01-01 18:00:05");
        EXPECT_NEAR(TextToDateTime(u"2024-01-01 18:00:05"_s), 45292.75 + 5 * kSecond, 1e-9);
    }
    QLocale::setDefault(QLocale::c());
    if (oldEnv.isNull())
        qunsetenv("LC_ALL");
    else
        qputenv("LC_ALL", oldEnv);
    std::setlocale(LC_ALL, oldC.c_str());
}

TEST(ServerDateTime, ScalesByTenToTheNinthWithTiesToEven) {
    const struct {
        double value;
        std::int64_t server;
    } cases[] = {
        {0.0, 0},
        {kSecond, 11574},
        {45292 + kSecond, 45292000011574},
        {1.0 / 1024, 976562},   // exactly 976562.5: down to even
        {3.0 / 1024, 2929688},  // exactly 2929687.5: up to even
        {-1.0 / 1024, -976562},
        {-3.0 / 1024, -2929688},
        {-1.25, -1250000000},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.server);
        EXPECT_EQ(DateTimeToInt64(c.value), c.server);
        EXPECT_NEAR(Int64ToDateTime(c.server), c.value, 1e-9);
    }
    EXPECT_EQ(DateTimeToText(Int64ToDateTime(45292000011574)), u"2024-01-01 00:00:01");
}

TEST(ServerDateTime, GarbageDoesNotOverflow) {
    EXPECT_EQ(DateTimeToInt64(std::numeric_limits<double>::quiet_NaN()), 0);
    EXPECT_EQ(DateTimeToInt64(1e300), std::numeric_limits<std::int64_t>::max());
    EXPECT_EQ(DateTimeToInt64(-std::numeric_limits<double>::infinity()),
              std::numeric_limits<std::int64_t>::min());
}

TEST(QtDateTime, ConvertsBothWays) {
    const QDateTime local(QDate(2024, 1, 5), QTime(13, 45, 10, 250), Qt::LocalTime);
    const double value = QDateTimeToDateTime(local);
    EXPECT_NEAR(value, 45296 + (13 * 3600 + 45 * 60 + 10.25) * kSecond, 1e-9);
    EXPECT_EQ(DateTimeToQDateTime(value), local);
    EXPECT_NEAR(QDateTimeToDateTime(local.toUTC()), value, 1e-9);

    const QDateTime early(QDate(1899, 12, 29), QTime(6, 0), Qt::LocalTime);
    EXPECT_EQ(QDateTimeToDateTime(early), -1.25);
    EXPECT_EQ(DateTimeToQDateTime(-1.25), early);

    EXPECT_FALSE(DateTimeToQDateTime(std::nan("")).isValid());
    EXPECT_EQ(QDateTimeToDateTime(QDateTime()), 0.0);
    EXPECT_LT(std::fabs(Now() - QDateTimeToDateTime(QDateTime::currentDateTime())), 60 * kSecond);
}

TEST(FileModifyTime, SetsLocalTimeAndIsSilentOnFailure) {
    test::TempHome home;
    const QString name = home.file(u"a.txt"_s);
    {
        QFile file(name);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("x");
    }
    const double when = 45296 + (13 * 3600 + 45 * 60 + 10) * kSecond;
    SetFileModifyTime(name, when);
    const QDateTime expected(QDate(2024, 1, 5), QTime(13, 45, 10), Qt::LocalTime);
    EXPECT_EQ(QFileInfo(name).lastModified().toUTC(), expected.toUTC());

    // A missing file is not created.
    const QString missing = home.file(u"missing.txt"_s);
    SetFileModifyTime(missing, when);
    EXPECT_FALSE(QFile::exists(missing));
    SetFileModifyTime(QString(), when);
}

}  // namespace
