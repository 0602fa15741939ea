#pragma once

#include <QDateTime>
#include <QString>

namespace tavlo {

class LinkSession;

// A terminal's clock as GetDeviceClock delivers it.
struct TerminalClockReading {
    qint32 year = 0;
    qint32 month = 0;
    qint32 day = 0;
    qint32 hour = 0;
    qint32 minute = 0;
    qint32 second = 0;   // delivered, never shown
    qint32 weekday = 0;  // 1 Monday .. 7 Sunday; any other number has no name
};

// The texts of the clock window. The terminal and the PC number the days of
// the week differently: the terminal from 1 for Monday, the PC from 1 for
// Sunday.
namespace clocktext {

// 1 "Pazartesi" .. 7 "Pazar"; any other number gives empty text.
QString terminalDayName(qint32 weekday);
// 1 "Pazar" .. 7 "Cumartesi"; any other number gives empty text.
QString pcDayName(int weekday);
// The PC's number of the day of the week of a date.
int pcWeekday(const QDate& date);

// "gg.aa.yyyy  <day> ss:dd", without seconds.
QString terminalText(const TerminalClockReading& reading);
// "gg.aa.yyyy  <day> ss:dd:nn" of a local date and time.
QString pcText(const QDateTime& local);

}  // namespace clocktext

// Reading and setting the clock of the terminal on an open link. Every call
// on the terminal is bracketed by its keypad lock.
class TerminalClock {
public:
    static constexpr auto kUpdated = "Tarih / Saat Güncellendi.";
    static constexpr auto kNotSet = "Tarih / Saat ayarlanamadı!";
    // What the terminal field shows when the terminal gave no clock.
    static constexpr auto kNotRead = "Cihazın tarih ve saati okunamadı!";

    // The link must stay open while this lives.
    explicit TerminalClock(const LinkSession& link) : link_(link) {}

    // The terminal's date and time as its field shows it, or kNotRead.
    QString read() const;

    struct Setting {
        QString readBack;  // the clock as read after setting it, as read() gives it
        QString message;   // kUpdated when the terminal took the time, else kNotSet
    };
    // Sets the terminal's clock to the PC's time and reads it back.
    Setting setToPcTime() const;

    // The PC's date and time now, as its field shows it.
    static QString pcNow();

private:
    const LinkSession& link_;
};

}  // namespace tavlo
