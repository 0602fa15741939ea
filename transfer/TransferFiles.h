#pragma once

#include "transfer/MovementFile.h"

#include <QString>

namespace tavlo {

class MovementLines;

// The movement file and the day's backup file of a run, which take every
// terminal's lines together: a save puts the lines into the movement file
// and then into the backup file, and when the backup file fails the movement
// file is cut back, so that both files hold a terminal's lines or neither.
class TransferFiles {
public:
    TransferFiles(const QString& movementFilePath, const QString& backupFilePath);

    // Prepares the movement file and then the backup file; the folder of the
    // backup file is made when missing.
    void load();
    void save(const MovementLines& lines);

    const MovementFile& movementFile() const { return movement_; }
    const MovementFile& backupFile() const { return backup_; }

private:
    MovementFile movement_;
    MovementFile backup_;
};

}  // namespace tavlo
