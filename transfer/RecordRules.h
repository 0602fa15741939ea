#pragma once

#include <QDate>
#include <QString>

#include <optional>

namespace tavlo {

// One attendance record as the terminal delivers it.
struct LogRecord {
    qint32 user = 0;
    qint32 mode = 0;
    qint32 year = 0;
    qint32 month = 0;
    qint32 day = 0;
    qint32 hour = 0;
    qint32 minute = 0;
    qint32 second = 0;
};

// Whether a record is an entry or an exit, and the mode value its line
// shows, by the terminal's GCTip: 0 decides by the second byte of the mode
// word (5 or 7: exit) and keeps its low byte, 1 is always an entry, 2 always
// an exit, both keeping the whole word; any other value counts as 1.
struct EntryExit {
    bool exit = false;
    qint32 mode = 0;
};
EntryExit decideEntryExit(qint32 gcTip, qint32 modeWord);

// A date and time a movement line may hold: year 1951 to 2099, month 1 to 12,
// day 1 to 31, hour 0 to 24, minute and second 0 to 59.
bool isValidRecordTime(const LogRecord& record);

// Whole days since 30 December 1899; nothing for a date the calendar lacks.
std::optional<qint32> dateSerial(qint32 year, qint32 month, qint32 day);
qint32 dateSerial(const QDate& date);

// The dates a run takes: inactive takes all. Bounds are date serials.
struct DateWindow {
    bool active = false;
    qint32 lower = 0;
    qint32 upper = 70000;

    // From the two optional dates of the settings page: active when either
    // bound is above 1000; a missing or low lower bound becomes 0, a missing
    // or low upper bound 70000.
    static DateWindow fromBounds(std::optional<QDate> from, std::optional<QDate> to);
    // A record whose date the calendar lacks (31 April) is outside.
    bool contains(const LogRecord& record) const;
};

// Progress in percent of `lines` out of `expected`, rounded half to even; an
// expected count below 1 counts as 1.
qint32 progressPercent(qint64 lines, qint32 expected);

}  // namespace tavlo
