#pragma once

#include "transfer/MovementFile.h"
#include "transfer/SaveJournal.h"

#include <QString>

namespace tavlo {

class MovementLines;

// The movement file and the day's backup file of a run, which take every
// terminal's lines together: a save puts the lines into the movement file
// and then into the backup file, and when the backup file fails the movement
// file is cut back, so that both files hold a terminal's lines or neither.
// A save journal (by default beside the movement file) covers a run killed
// during a save: the next load cuts back what that save had begun.
class TransferFiles {
public:
    TransferFiles(const QString& movementFilePath, const QString& backupFilePath,
                  const QString& journalPath = {});

    // Settles a save an earlier run left unfinished, then prepares the
    // movement file and the backup file; the folder of the backup file is
    // made when missing.
    void load();
    // Saves one terminal's lines to both files; the journal then says they
    // are saved until `confirmed` is called, once the terminal was told.
    void save(const MovementLines& lines);
    void confirmed();

    const MovementFile& movementFile() const { return movement_; }
    const MovementFile& backupFile() const { return backup_; }

private:
    MovementFile movement_;
    MovementFile backup_;
    SaveJournal journal_;
};

}  // namespace tavlo
