#pragma once

#include "transfer/MovementFile.h"
#include "transfer/SaveJournal.h"

#include <QString>

#include <optional>

namespace tavlo {

class MovementLines;

// The records of a terminal's log that one save's lines came from.
struct DeliveredRecords {
    QString terminal;  // how the terminal is reached
    qint64 start = 0;  // position of the first record in its log
    qint64 count = 0;
};

// The movement file and the day's backup file of a run, which take every
// terminal's lines together: a save puts the lines into the movement file
// and then into the backup file, and when the backup file fails the movement
// file is cut back, so that both files hold a terminal's lines or neither.
// A save journal (by default beside the movement file) covers a run killed
// during a save: the next load cuts back what that save had begun. It also
// keeps, per terminal, which of its records the saved lines came from until
// the terminal acknowledged them, so that they are confirmed exactly once.
class TransferFiles {
public:

    TransferFiles(const QString& movementFilePath, const QString& backupFilePath,
                  const QString& journalPath = {});

    // Settles a save an earlier run left unfinished, then prepares the
    // movement file and the backup file; the folder of the backup file is
    // made when missing.
    void load();
    // Saves one terminal's lines to both files; the journal then says they
    // are saved, and which records they came from, until `confirmed` is
    // called for that terminal once it acknowledged. Without lines nothing is
    // written and nothing waits.
    void save(const MovementLines& lines, const DeliveredRecords& records = {});
    void confirmed(const QString& terminal = {});
    // The saved records a terminal has not yet acknowledged, if any.
    std::optional<DeliveredRecords> unconfirmed(const QString& terminal) const;

    const MovementFile& movementFile() const { return movement_; }
    const MovementFile& backupFile() const { return backup_; }

private:
    MovementFile movement_;
    MovementFile backup_;
    SaveJournal journal_;
};

}  // namespace tavlo
