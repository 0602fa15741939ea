#pragma once

#include <QString>

namespace tavlo {

// The columns of a terminal row that opening a link reads.
struct TerminalLinkValues {
    qint32 BaglantiTipi = 0;  // 1 Ethernet, 2 serial ("Comm Port"), 3 USB
    qint32 MakineNo = 0;
    QString IPAdres;
    qint32 Port = 0;          // TCP port for Ethernet, serial port number for type 2
    QString Parola;
};

}  // namespace tavlo
