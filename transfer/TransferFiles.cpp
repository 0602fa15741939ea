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

void TransferFiles::save(const MovementLines& lines)
{
    if (lines.count() == 0)
        return;
    SaveJournal::Entry entry{SaveJournal::Stage::Saving, movement_.path(), movement_.size(),
                             backup_.path(), backup_.size()};
    journal_.write(entry);
    movement_.append(lines);
    try {
        backup_.append(lines);
    } catch (...) {
        // The journal stays: should the cut fail too, the next run cuts back.
        movement_.cutBack(entry.movementSize);
        throw;
    }
    entry.stage = SaveJournal::Stage::Saved;
    journal_.write(entry);
}

void TransferFiles::confirmed()
{
    journal_.remove();
}

}  // namespace tavlo
