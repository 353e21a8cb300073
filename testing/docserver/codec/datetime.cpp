#include "testing/docserver/codec/datetime.h"

#include <QDateTime>
#include <cmath>

namespace ov::test::wire {

namespace {

constexpr std::int64_t MsPerDay = 86400000;

qint64 firstDay() {
    return QDate(1899, 12, 30).toJulianDay();
}

}  // namespace

QString dateText(TDateTime value) {
    if (!std::isfinite(value) || std::fabs(value) > 4.0e6) return QString();
    const auto ms = std::llround(static_cast<long double>(value) * MsPerDay);
    const QDate date = QDate::fromJulianDay(firstDay() + ms / MsPerDay);
    const qint64 time = (ms < 0 ? -ms : ms) % MsPerDay / 1000;
    if (!date.isValid() || date.year() < 1 || date.year() > 9999) return QString();
    return QString::asprintf("%04d-%02d-%02d %02d:%02d:%02d", date.year(), date.month(), date.day(),
                             int(time / 3600), int(time / 60 % 60), int(time % 60));
}

std::int64_t dateToInt64(TDateTime value) {
    return std::llround(static_cast<long double>(value) * 1.0e9L);
}

TDateTime int64ToDate(std::int64_t value) {
    return static_cast<double>(static_cast<long double>(value) / 1.0e9L);
}

TDateTime nowLocal() {
    const QDateTime now = QDateTime::currentDateTime();
    const double day = double(now.date().toJulianDay() - firstDay());
    return day + double(now.time().msecsSinceStartOfDay()) / MsPerDay;
}

}  // namespace ov::test::wire
