#pragma once

#include "terminal/TerminalLinkValues.h"

#include <QString>

namespace tavlo {

class TSBXPC;

// What opening a link came to. Features differ on NoCall: the transfer, the
// link test and the personnel features take it as a failed link, the clock,
// clear-logs and remove-rights features do nothing at all.
enum class LinkOutcome {
    Linked,
    NotLinked,
    NoCall,  // the connection type is none of 1, 2, 3: nothing was called
};

inline constexpr qint32 kEthernet = 1;
inline constexpr qint32 kSerialPort = 2;
inline constexpr qint32 kUsb = 3;
inline constexpr qint32 kLinkBaudRate = 115200;

// Opens a link to the terminal of `row` on `control` by its connection type:
// Ethernet with the IPAdres text as it is, the Port and the password from
// Parola; serial on the Port's serial port; USB on port 0; always at 115200.
LinkOutcome openLink(TSBXPC& control, const TerminalLinkValues& row);

// Parola as a decimal integer; text that is not one (empty, letters, too
// large) gives 0.
qint32 linkPassword(const QString& parola);

}  // namespace tavlo
