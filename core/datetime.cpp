#include "core/datetime.h"

#include <QDate>
#include <QFile>
#include <QTime>
#include <cmath>
#include <limits>
#include <optional>

#include "core/errors.h"

namespace ov {
namespace {

constexpr std::int64_t kMsPerDay = 86400000;

// Beyond this many days from 1899-12-30 no year from 1 to 9999 can be reached; the bound keeps
// the millisecond arithmetic far from overflow.
constexpr double kMaxDays = 4.0e6;

static_assert(std::numeric_limits<long double>::digits >= 64,
              "the server date-time needs a 64-bit mantissa");

struct DayAndTime {
    QDate date;
    QTime time;
};

std::int64_t epochJulianDay() {
    return QDate(1899, 12, 30).toJulianDay();
}

// Rounds to the nearest integer, ties to even, whatever the floating-point rounding mode.
long double roundHalfEven(long double x) {
    const long double low = std::floor(x);
    const long double diff = x - low;
    if (diff > 0.5L) return low + 1;
    if (diff < 0.5L) return low;
    return std::fmod(low, 2.0L) == 0 ? low : low + 1;
}

// Splits a value into its day and time of day, rounded to milliseconds. The integer part is the
// day and the absolute value of the fraction the time, also for values before 1899-12-30.
std::optional<DayAndTime> decode(TDateTime value) {
    if (!std::isfinite(value) || std::fabs(value) > kMaxDays) return std::nullopt;
    const auto ms =
        static_cast<std::int64_t>(roundHalfEven(static_cast<long double>(value) * kMsPerDay));
    const std::int64_t day = ms / kMsPerDay;  // truncates towards zero
    const auto timeMs = static_cast<int>((ms < 0 ? -ms : ms) % kMsPerDay);
    const QDate date = QDate::fromJulianDay(epochJulianDay() + day);
    if (!date.isValid() || date.year() < 1 || date.year() > 9999) return std::nullopt;
    return DayAndTime{date, QTime::fromMSecsSinceStartOfDay(timeMs)};
}

TDateTime encode(const QDate& date, const QTime& time) {
    const auto day = static_cast<double>(date.toJulianDay() - epochJulianDay());
    const double fraction = static_cast<double>(time.msecsSinceStartOfDay()) / kMsPerDay;
    return day < 0 ? day - fraction : day + fraction;
}

// Reads the fixed form "YYYY-MM-DD[ HH:MM[:SS[.zzz]]]" with blanks around it.
class DateScanner {
public:
    explicit DateScanner(QStringView text) : m_text(text) {}

    std::optional<TDateTime> scan() {
        int year = 0, month = 0, day = 0;
        skipBlanks();
        if (!number(4, 4, year) || !literal(u'-') || !number(1, 2, month) || !literal(u'-') ||
            !number(1, 2, day))
            return std::nullopt;
        const QDate date(year, month, day);
        if (!date.isValid()) return std::nullopt;
        const qsizetype blanks = skipBlanks();
        if (atEnd()) return encode(date, QTime(0, 0));
        if (blanks == 0) return std::nullopt;
        const std::optional<QTime> time = scanTime();
        skipBlanks();
        if (!time || !atEnd()) return std::nullopt;
        return encode(date, *time);
    }

private:
    std::optional<QTime> scanTime() {
        int hour = 0, minute = 0, second = 0, msec = 0;
        if (!number(1, 2, hour) || !literal(u':') || !number(1, 2, minute)) return std::nullopt;
        if (literal(u':')) {
            if (!number(1, 2, second)) return std::nullopt;
            if (literal(u'.') && !number(3, 3, msec)) return std::nullopt;
        }
        if (!QTime::isValid(hour, minute, second, msec)) return std::nullopt;
        return QTime(hour, minute, second, msec);
    }

    bool number(int minDigits, int maxDigits, int& out) {
        int digits = 0;
        out = 0;
        while (digits < maxDigits && !atEnd() && m_text[m_pos] >= u'0' && m_text[m_pos] <= u'9') {
            out = out * 10 + (m_text[m_pos].unicode() - u'0');
            ++m_pos;
            ++digits;
        }
        return digits >= minDigits && (atEnd() || m_text[m_pos] < u'0' || m_text[m_pos] > u'9');
    }

    bool literal(char16_t c) {
        if (atEnd() || m_text[m_pos] != c) return false;
        ++m_pos;
        return true;
    }

    qsizetype skipBlanks() {
        const qsizetype start = m_pos;
        while (!atEnd() && m_text[m_pos] == u' ')
            ++m_pos;
        return m_pos - start;
    }

    bool atEnd() const { return m_pos >= m_text.size(); }

    QStringView m_text;
    qsizetype m_pos = 0;
};

}  // namespace

QString DateTimeToText(TDateTime value) {
    const std::optional<DayAndTime> parts = decode(value);
    if (!parts) return {};
    const QDate& d = parts->date;
    const QTime& t = parts->time;
    // asprintf's %d is independent of the locale.
    return QString::asprintf("%04d-%02d-%02d %02d:%02d:%02d", d.year(), d.month(), d.day(),
                             t.hour(), t.minute(), t.second());
}

TDateTime TextToDateTime(const QString& text) {
    const std::optional<TDateTime> value = DateScanner(text).scan();
    if (!value) throw ConvertError(QStringLiteral("Wrong date format") + text);
    return *value;
}

TDateTime TextToDateTimeDef(const QString& text, TDateTime def) {
    return DateScanner(text).scan().value_or(def);
}

std::int64_t DateTimeToInt64(TDateTime value) {
    if (std::isnan(value)) return 0;
    const long double scaled = roundHalfEven(static_cast<long double>(value) * 1.0e9L);
    constexpr long double kLimit = 9223372036854775808.0L;  // 2^63
    if (scaled >= kLimit) return std::numeric_limits<std::int64_t>::max();
    if (scaled < -kLimit) return std::numeric_limits<std::int64_t>::min();
    return static_cast<std::int64_t>(scaled);
}

TDateTime Int64ToDateTime(std::int64_t value) {
    return static_cast<double>(static_cast<long double>(value) / 1.0e9L);
}

void SetFileModifyTime(const QString& fileName, TDateTime localTime) {
    const QDateTime time = DateTimeToQDateTime(localTime);
    if (time.isValid()) SetFileModifyTime(fileName, time);
}

void SetFileModifyTime(const QString& fileName, const QDateTime& time) {
    if (fileName.isEmpty() || !time.isValid()) return;
    QFile file(fileName);
    if (!file.open(QIODevice::ReadWrite | QIODevice::ExistingOnly)) return;
    file.setFileTime(time, QFileDevice::FileModificationTime);
}

TDateTime Now() {
    return QDateTimeToDateTime(QDateTime::currentDateTime());
}

TDateTime QDateTimeToDateTime(const QDateTime& value) {
    if (!value.isValid()) return 0;
    const QDateTime local = value.toLocalTime();
    return encode(local.date(), local.time());
}

QDateTime DateTimeToQDateTime(TDateTime value) {
    const std::optional<DayAndTime> parts = decode(value);
    if (!parts) return {};
    return QDateTime(parts->date, parts->time, Qt::LocalTime);
}

}  // namespace ov
