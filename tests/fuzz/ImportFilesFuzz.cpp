// The emulator's import files: any text is either taken or refused with an
// error, never a crash.

#include "emulator/RecordsFile.h"
#include "emulator/UsersFile.h"
#include "platform/Error.h"
#include "tests/fuzz/FuzzTarget.h"

#include <string_view>

using namespace tavlo;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray text(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    try {
        const auto records = emulator::parseRecords(text, "fuzz");
        fuzzCheck(records.size() <= size, "no more records than lines");
    } catch (const Error&) {
    }
    try {
        const auto rows = emulator::parseUsers(text, "fuzz");
        for (const auto& row : rows)
            fuzzCheck(row.entry.privilege >= 0 && row.entry.privilege <= 3, "privileges checked");
    } catch (const Error&) {
    }
    return 0;
}

std::vector<std::vector<std::uint8_t>> fuzzSeeds()
{
    const auto bytes = [](std::string_view s) { return std::vector<std::uint8_t>(s.begin(), s.end()); };
    return {bytes("user\tmode\tyear\tmonth\tday\thour\tminute\tsecond\n1\t0\t2024\t1\t2\t3\t4\t5\n"
                  "2\t1\t1950\t13\t32\t24\t60\t60\r\n"),
            bytes("user\tenrolment\tprivilege\tenabled\tpassword\tdata\n7\t0\t3\t1\t12\t1,2,-3\n8\t11\t0\t0\t0\t\n")};
}
