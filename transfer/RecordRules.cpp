#include "transfer/RecordRules.h"

#include <cmath>

namespace tavlo {
namespace {

const QDate kSerialZero(1899, 12, 30);

constexpr qint32 kWindowFloor = 1000;
constexpr qint32 kWindowCeiling = 70000;

}  // namespace

EntryExit decideEntryExit(qint32 gcTip, qint32 modeWord)
{
    switch (gcTip) {
    case 0: {
        // Division and remainder truncate toward zero, as the terminals'
        // own arithmetic does for negative words.
        const qint32 secondByte = (modeWord / 256) % 256;
        return {secondByte == 5 || secondByte == 7, modeWord % 256};
    }
    case 2:
        return {true, modeWord};
    default:
        return {false, modeWord};
    }
}

bool isValidRecordTime(const LogRecord& r)
{
    return r.year >= 1951 && r.year <= 2099 && r.month >= 1 && r.month <= 12 && r.day >= 1
        && r.day <= 31 && r.hour >= 0 && r.hour <= 24 && r.minute >= 0 && r.minute <= 59
        && r.second >= 0 && r.second <= 59;
}

std::optional<qint32> dateSerial(qint32 year, qint32 month, qint32 day)
{
    const QDate date(year, month, day);
    if (!date.isValid())
        return std::nullopt;
    return dateSerial(date);
}

qint32 dateSerial(const QDate& date)
{
    return static_cast<qint32>(kSerialZero.daysTo(date));
}

DateWindow DateWindow::fromBounds(std::optional<QDate> from, std::optional<QDate> to)
{
    const qint32 lower = from ? dateSerial(*from) : 0;
    const qint32 upper = to ? dateSerial(*to) : 0;
    DateWindow window;
    window.active = lower > kWindowFloor || upper > kWindowFloor;
    window.lower = lower < kWindowFloor ? 0 : lower;
    window.upper = upper < kWindowFloor ? kWindowCeiling : upper;
    return window;
}

bool DateWindow::contains(const LogRecord& record) const
{
    const auto serial = dateSerial(record.year, record.month, record.day);
    return serial && lower <= *serial && *serial <= upper;
}

qint32 progressPercent(qint64 lines, qint32 expected)
{
    // A terminal that reports no count, or none above 0, still shows that
    // lines come; dividing by it would not give a number at all.
    const double whole = expected < 1 ? 1.0 : static_cast<double>(expected);
    // nearbyint rounds halves to even in the default rounding mode.
    return static_cast<qint32>(std::nearbyint(static_cast<double>(lines) / whole * 100.0));
}

}  // namespace tavlo
