#include "admin/TerminalClock.h"

#include "platform/Clock.h"
#include "terminal/LinkSession.h"
#include "terminal/TSBXPC.h"

#include <array>

namespace tavlo {
namespace clocktext {
namespace {

// Index 0 stands for the terminal's day 1 and for the PC's day 1.
constexpr std::array<const char*, 7> kTerminalDays = {
    "Pazartesi", "Salı", "Çarşamba", "Perşembe", "Cuma", "Cumartesi", "Pazar"};
constexpr std::array<const char*, 7> kPcDays = {
    "Pazar", "Pazartesi", "Salı", "Çarşamba", "Perşembe", "Cuma", "Cumartesi"};

QString dayName(const std::array<const char*, 7>& names, qint64 number)
{
    if (number < 1 || number > 7)
        return {};
    return QString::fromUtf8(names[static_cast<std::size_t>(number - 1)]);
}

}  // namespace

QString terminalDayName(qint32 weekday)
{
    return dayName(kTerminalDays, weekday);
}

QString pcDayName(int weekday)
{
    return dayName(kPcDays, weekday);
}

int pcWeekday(const QDate& date)
{
    // Qt counts from 1 for Monday to 7 for Sunday.
    return date.dayOfWeek() % 7 + 1;
}

QString terminalText(const TerminalClockReading& r)
{
    return QString::asprintf("%2.2d.%2.2d.%4.4d  %s %2.2d:%2.2d", r.day, r.month, r.year,
                             terminalDayName(r.weekday).toUtf8().constData(), r.hour, r.minute);
}

QString pcText(const QDateTime& local)
{
    const QDate date = local.date();
    const QTime time = local.time();
    return QString::asprintf("%2.2d.%2.2d.%4.4d  %s %2.2d:%2.2d:%2.2d", date.day(), date.month(),
                             date.year(), pcDayName(pcWeekday(date)).toUtf8().constData(),
                             time.hour(), time.minute(), time.second());
}

}  // namespace clocktext

QString TerminalClock::read() const
{
    TerminalClockReading r;
    bool delivered = false;
    {
        KeypadLock lock(link_);
        delivered = link_.control().GetDeviceClock(link_.machine(), r.year, r.month, r.day, r.hour,
                                                   r.minute, r.second, r.weekday);
    }
    // A terminal that gave no clock shows that, not whatever the values
    // held before.
    return delivered ? clocktext::terminalText(r) : QString::fromUtf8(kNotRead);
}

TerminalClock::Setting TerminalClock::setToPcTime() const
{
    bool accepted = false;
    {
        KeypadLock lock(link_);
        accepted = link_.control().SetDeviceClock(link_.machine());
    }
    return {read(), QString::fromUtf8(accepted ? kUpdated : kNotSet)};
}

QString TerminalClock::pcNow()
{
    return clocktext::pcText(pcClock().now());
}

}  // namespace tavlo
