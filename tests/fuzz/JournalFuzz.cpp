// The save journal, as a crash or a full disk may leave it: any bytes read
// as notes or as no notes, never a crash; what reads as notes writes back
// to the same notes; and settling them touches only the files they name,
// never making one longer.

#include "tests/fuzz/FuzzTarget.h"
#include "tests/fuzz/ScratchFolder.h"
#include "transfer/SaveJournal.h"

#include <QFile>

#include <string_view>

using namespace tavlo;

namespace {

qint64 sizeOf(const QString& path)
{
    return QFile(path).size();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QString notes = fuzz::writeScratchFile(
        "Aktarim.kayit", QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)));
    const SaveJournal journal(notes);
    std::vector<SaveJournal::Entry> entries = journal.read();
    for (const SaveJournal::Entry& e : entries)
        fuzzCheck(e.logStart >= 0 && e.logCount >= 0 && e.movementSize >= 0 && e.backupSize >= 0,
                  "no negative size or position");

    if (!entries.empty()) {
        journal.write(entries);
        fuzzCheck(journal.read() == entries, "notes read back as written");
    }

    // The notes may name any file of the machine: settle them on two
    // scratch files instead.
    const QByteArray content(64, 'x');
    const QString movement = fuzz::writeScratchFile("m.txt", content);
    const QString backup = fuzz::writeScratchFile("b.txt", content);
    for (SaveJournal::Entry& e : entries) {
        e.movementPath = movement;
        e.backupPath = backup;
    }
    journal.write(entries);
    journal.recover();
    fuzzCheck(sizeOf(movement) <= content.size() && sizeOf(backup) <= content.size(),
              "a cut-back never makes a file longer");
    for (const SaveJournal::Entry& e : journal.read())
        fuzzCheck(e.stage == SaveJournal::Stage::Saved && !e.terminal.isEmpty(),
                  "only notes waiting for their terminal stay");
    return 0;
}

std::vector<std::vector<std::uint8_t>> fuzzSeeds()
{
    const auto bytes = [](std::string_view s) { return std::vector<std::uint8_t>(s.begin(), s.end()); };
    return {bytes("Aktarim 2\nsaving\n1 1 127.0.0.1:5005\n40\n2\n/x/Hareketler.txt\n14\n/x/Backup/2024-03-05.txt\n12\n"
                  "saved\n2 3 4\n0\n7\n/x/Hareketler.txt\n90\n/x/Backup/2024-03-05.txt\n80\n"),
            bytes("saving\n/x/Hareketler.txt\n14\n/x/Backup/2024-03-05.txt\n12\n"),
            // Sizes beyond the files': a file already shorter stays as it is.
            bytes("Aktarim 2\nsaving\n2 1 3\n5\n5\n/x/H.txt\n100\n/x/B.txt\n2000\n"),
            bytes("saved\r\n/x/H.txt\r\n0\r\n/x/B.txt\r\n0\r\n")};
}
