#include "emulator/RecordsFile.h"

#include "emulator/TsvTable.h"

namespace tavlo::emulator {

std::vector<protocol::LogRecord> parseRecords(const QByteArray& text, const QString& source)
{
    const QStringList names{"user", "mode", "year", "month", "day", "hour", "minute", "second"};
    const TsvTable table(text, source, names);
    std::vector<int> col;
    for (const QString& name : names)
        col.push_back(*table.column(name));
    const std::optional<int> verify = table.column("verify");

    std::vector<protocol::LogRecord> records;
    records.reserve(table.rows().size());
    for (const auto& row : table.rows()) {
        protocol::LogRecord r;
        r.user = table.integer(row, col[0]);
        r.mode = table.integer(row, col[1]);
        r.time.year = table.integer(row, col[2]);
        r.time.month = table.integer(row, col[3]);
        r.time.day = table.integer(row, col[4]);
        r.time.hour = table.integer(row, col[5]);
        r.time.minute = table.integer(row, col[6]);
        r.time.second = table.integer(row, col[7]);
        r.verify = verify ? table.integer(row, *verify) : 1;
        records.push_back(r);
    }
    return records;
}

std::vector<protocol::LogRecord> generateRecords(std::uint32_t first, std::uint32_t n)
{
    std::vector<protocol::LogRecord> records;
    records.reserve(n);
    for (std::uint32_t i = first; i < first + n; ++i) {
        // One pass every 7 minutes from 2024-01-01 08:00, by 500 people.
        const std::int64_t minutes = 8 * 60 + std::int64_t(i) * 7;
        const std::int64_t dayIndex = minutes / 1440;
        // 2024-01-01 plus dayIndex days, walked with a fixed month table.
        std::int32_t year = 2024, month = 1;
        std::int64_t day = dayIndex;
        for (;;) {
            static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
            const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
            const int length = kDays[month - 1] + (month == 2 && leap ? 1 : 0);
            if (day < length)
                break;
            day -= length;
            if (++month > 12) {
                month = 1;
                ++year;
            }
        }
        protocol::LogRecord r;
        r.user = static_cast<std::int32_t>(i % 500 + 1);
        r.verify = 1;
        r.mode = static_cast<std::int32_t>(i / 500 % 2);
        r.time = {year, month, static_cast<std::int32_t>(day + 1),
                  static_cast<std::int32_t>(minutes % 1440 / 60),
                  static_cast<std::int32_t>(minutes % 60), static_cast<std::int32_t>(i % 60)};
        records.push_back(r);
    }
    return records;
}

}  // namespace tavlo::emulator
