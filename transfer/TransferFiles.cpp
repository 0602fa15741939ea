#include "transfer/TransferFiles.h"

#include "transfer/MovementLines.h"

#include <QDir>
#include <QFileInfo>

namespace tavlo {

TransferFiles::TransferFiles(const QString& movementFilePath, const QString& backupFilePath)
    : movement_(movementFilePath), backup_(backupFilePath)
{
}

void TransferFiles::load()
{
    movement_.load();
    // Without its folder the backup file could not take a single line, and
    // every terminal's records would wait for the folder for ever.
    QDir().mkpath(QFileInfo(backup_.path()).path());
    backup_.load();
}

void TransferFiles::save(const MovementLines& lines)
{
    const qint64 movementSize = movement_.size();
    movement_.append(lines);
    try {
        backup_.append(lines);
    } catch (...) {
        movement_.cutBack(movementSize);
        throw;
    }
}

}  // namespace tavlo
