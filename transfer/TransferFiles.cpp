#include "transfer/TransferFiles.h"

#include "transfer/MovementLines.h"

#include <QDir>
#include <QFileInfo>

namespace tavlo {

TransferFiles::TransferFiles(const QString& movementFilePath, const QString& backupFilePath,
                             const QString& journalPath)
    : movement_(movementFilePath),
      backup_(backupFilePath),
      journal_(journalPath.isEmpty() ? movementFilePath + QStringLiteral(".kayit") : journalPath)
{
}

void TransferFiles::load()
{
    journal_.recover();
    movement_.load();
    // Without its folder the backup file could not take a single line, and
    // every terminal's records would wait for the folder for ever.
    QDir().mkpath(QFileInfo(backup_.path()).path());
    backup_.load();
}

void TransferFiles::save(const MovementLines& lines, const DeliveredRecords& records)
{
    if (lines.count() == 0)
        return;
    SaveJournal::Entry entry{SaveJournal::Stage::Saving, records.terminal, records.start, records.count,
                             movement_.path(), movement_.size(), backup_.path(), backup_.size()};
    journal_.put(entry);
    movement_.append(lines);
    try {
        backup_.append(lines);
    } catch (...) {
        // The note stays: should the cut fail too, the next run cuts back.
        movement_.cutBack(entry.movementSize);
        throw;
    }
    entry.stage = SaveJournal::Stage::Saved;
    journal_.put(entry);
}

void TransferFiles::confirmed(const QString& terminal)
{
    journal_.forget(terminal);
}

std::optional<DeliveredRecords> TransferFiles::unconfirmed(const QString& terminal) const
{
    const auto entry = journal_.unconfirmed(terminal);
    if (!entry)
        return std::nullopt;
    return DeliveredRecords{entry->terminal, entry->logStart, entry->logCount};
}

}  // namespace tavlo
