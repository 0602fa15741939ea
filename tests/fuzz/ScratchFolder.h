#pragma once

#include <QByteArray>
#include <QString>

namespace tavlo::fuzz {

// One temporary folder for the whole fuzz run, removed when the run ends, so
// that the targets that read files get their input as a file. It lies in
// memory (/dev/shm) where the machine has that folder.
QString scratchPath(const QString& name);
// Writes a file of the scratch folder (and the folders on its way) with
// exactly these bytes; returns its path.
QString writeScratchFile(const QString& name, const QByteArray& content);
QByteArray readScratchFile(const QString& name);

}  // namespace tavlo::fuzz
