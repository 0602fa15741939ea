#pragma once

#include <QString>

namespace tavlo {

// What a run copies from one ticked terminal row when it starts.
struct TransferTarget {
    qint32 rowId = 0;  // RecId of the row
    QString name;      // CihazAdi, at most 20 characters
    qint32 terminalNumber = 0;
    qint32 machineNumber = 0;
    qint32 connectionType = 0;
    QString address;   // IPAdres, at most 20 characters
    qint32 port = 0;
    qint32 serialPort = 0;
    qint32 baudRate = 115200;
    qint32 password = 0;
    qint32 entryExitType = 0;  // GCTip
    qint32 progress = 0;
    qint32 shownProgress = -1;
};

}  // namespace tavlo
