#include "emulator/CivilTime.h"

#include <chrono>
#include <ctime>

namespace tavlo::emulator {

namespace {

using namespace std::chrono;

constexpr std::int64_t kDay = 86400;

std::int64_t floorDiv(std::int64_t a, std::int64_t b)
{
    return a / b - ((a % b != 0) && ((a < 0) != (b < 0)) ? 1 : 0);
}

}  // namespace

std::optional<std::int64_t> civilSeconds(const protocol::ClockTime& t)
{
    if (t.year < 1 || t.year > 9999 || t.hour < 0 || t.hour > 23 || t.minute < 0
        || t.minute > 59 || t.second < 0 || t.second > 59)
        return std::nullopt;
    const year_month_day date{year{t.year}, month{static_cast<unsigned>(t.month)},
                              day{static_cast<unsigned>(t.day)}};
    if (t.month < 1 || t.day < 1 || !date.ok())
        return std::nullopt;
    const std::int64_t days = sys_days(date).time_since_epoch().count();
    return days * kDay + t.hour * 3600 + t.minute * 60 + t.second;
}

protocol::ClockTime civilTime(std::int64_t seconds)
{
    const std::int64_t days = floorDiv(seconds, kDay);
    const std::int64_t rest = seconds - days * kDay;
    const year_month_day date{sys_days{std::chrono::days{days}}};
    protocol::ClockTime t;
    t.year = static_cast<int>(date.year());
    t.month = static_cast<std::int32_t>(static_cast<unsigned>(date.month()));
    t.day = static_cast<std::int32_t>(static_cast<unsigned>(date.day()));
    t.hour = static_cast<std::int32_t>(rest / 3600);
    t.minute = static_cast<std::int32_t>(rest / 60 % 60);
    t.second = static_cast<std::int32_t>(rest % 60);
    return t;
}

std::int32_t isoWeekday(std::int64_t seconds)
{
    const sys_days date{std::chrono::days{floorDiv(seconds, kDay)}};
    return static_cast<std::int32_t>(weekday{date}.iso_encoding());
}

std::int64_t localNow()
{
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    const protocol::ClockTime t{local.tm_year + 1900, local.tm_mon + 1, local.tm_mday,
                                local.tm_hour, local.tm_min, local.tm_sec > 59 ? 59 : local.tm_sec};
    return civilSeconds(t).value_or(0);
}

}  // namespace tavlo::emulator
