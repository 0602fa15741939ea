#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QDate>
#include <QString>

namespace tavlo {

// The values of one accepted attendance record that its movement line shows.
struct MovementRecord {
    qint32 terminalNumber = 0;  // CihazNo of the terminal
    qint32 user = 0;
    QByteArrayView code;        // the entry or the exit code, in code page 1254
    qint32 year = 0;
    qint32 month = 0;
    qint32 day = 0;
    qint32 hour = 0;
    qint32 minute = 0;
    qint32 mode = 0;
};

// One movement line, without its line break, in code page 1254:
// terminal,user,code,yyyy/mm/dd,hh:mm:00,mode with the terminal at least 3,
// the user at least 6 digits; "001,000123,1,2024/03/05,08:07:00,1".
QByteArray formatMovementLine(const MovementRecord& record);

// The same line written into memory the caller holds, for runs of many
// lines: `out` must have room for movementLineBound(record) bytes; returns
// the end of what was written.
qsizetype movementLineBound(const MovementRecord& record);
char* writeMovementLine(char* out, const MovementRecord& record);

// The daily backup file of a date: Backup/yyyy-mm-dd.txt in the application
// folder (which ends with a separator).
QString backupFilePath(const QString& applicationDirectory, const QDate& date);

}  // namespace tavlo
