// The table files as an operator's editor, a crash or a full disk may leave
// them, read through LoadTableFile into the tables the program keeps them
// in. Any content either loads, one row per line after the header, or
// raises an Error that keeps the rows before the bad line; content without
// lines leaves the table as it was. What loaded is saved and loads again
// the same.

#include "platform/Error.h"
#include "store/DataModul.h"
#include "tests/fuzz/FuzzTarget.h"
#include "tests/fuzz/ScratchFolder.h"

#include <string_view>

using namespace tavlo;

namespace {

// Lines as the format counts them, counted here on its own terms: a line
// ends at CR LF, a lone CR or a lone LF, and a last line without a break
// still counts.
qsizetype lineCount(const QByteArray& content)
{
    qsizetype lines = 0;
    for (qsizetype i = 0; i < content.size(); ++i) {
        if (content[i] == '\r' || content[i] == '\n') {
            ++lines;
            if (content[i] == '\r' && i + 1 < content.size() && content[i + 1] == '\n')
                ++i;
        }
    }
    const char last = content.isEmpty() ? '\n' : content.back();
    return lines + (last != '\r' && last != '\n' ? 1 : 0);
}

bool sameRows(const Table& a, const Table& b)
{
    if (a.rowCount() != b.rowCount())
        return false;
    for (int row = 0; row < a.rowCount(); ++row) {
        for (int field = 0; field < static_cast<int>(a.fields().size()); ++field) {
            if (a.value(row, field) != b.value(row, field))
                return false;
        }
    }
    return true;
}

void loadAs(Table& table, const QString& file, const QByteArray& content)
{
    // A row from before, which only content without lines keeps.
    table.close();
    table.open();
    table.append();
    table.setString(table.fields().front().name, QStringLiteral("424242"));
    table.post();

    const QString path = fuzz::writeScratchFile(file, content);
    const qsizetype lines = lineCount(content);
    try {
        table.LoadTableFile(path);
    } catch (const Error& e) {
        fuzzCheck(!e.message().isEmpty(), "an error says what is wrong");
        fuzzCheck(table.state() == Table::State::Browse, "a failed load leaves the table browsing");
        fuzzCheck(table.rowCount() < lines - 1, "a failed load keeps only the rows before the bad line");
        return;
    }
    fuzzCheck(table.state() == Table::State::Browse, "a load leaves the table browsing");
    if (lines == 0) {
        fuzzCheck(table.rowCount() == 1 && table.value(0, 0).toInt() == 424242,
                  "content without lines leaves the table as it was");
        return;
    }
    fuzzCheck(table.rowCount() == lines - 1, "one row per line after the header");
    fuzzCheck(table.currentRow() == (lines > 1 ? 0 : -1), "the first row is current");

    table.SaveTableFile(fuzz::scratchPath("saved"));
    Table again(table.name(), table.fields());
    again.open();
    again.LoadTableFile(fuzz::scratchPath("saved"));
    fuzzCheck(sameRows(table, again), "what loaded is saved and loads again the same");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static TDataModul modul;
    const QByteArray content(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    loadAs(modul.CihazTable, QStringLiteral("Cihazlar.Dat"), content);
    loadAs(modul.PersonelTable, QStringLiteral("Data/Personel.PDT"), content);
    return 0;
}

std::vector<std::vector<std::uint8_t>> fuzzSeeds()
{
    const auto bytes = [](std::string_view s) { return std::vector<std::uint8_t>(s.begin(), s.end()); };
    return {
        bytes("CihazNo\tCihazAdi\tMakineNo\tBaglantiTipi\tIPAdres\tParola\tPort\tIsaret\tDurum\t"
              "Aciklama\tTransferDurumu\tComportNo\tGCTip\r\n"
              "1\tKap\xFD\t7\t1\t192.168.1.20\t55\t5005\t1\t\tAktar\xFDm Tamamland\xFD\t100\t\t0\r\n"
              "2\tDepo\t1\t2\t\t0\t\t0\t\t\t0\t3\t2\r\n"),
        bytes("PersonelNo\tKartNo\tYetki\tSifre\tIzinDurum\tSecim\r\n"
              "123\t0\t3\t1234\t1\t1\r\n"
              "-5\t2147483647\t0\t\t0\t0\n"
              "\r"),
        bytes("gctip\tRecId\tBilinmeyen\tcihazno\r\n0\t99\tx\t-2147483648\r\n"),
    };
}
