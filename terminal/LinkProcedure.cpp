#include "terminal/LinkProcedure.h"

#include "terminal/TSBXPC.h"

namespace tavlo {

qint32 linkPassword(const QString& parola)
{
    bool ok = false;
    const qint32 value = parola.toInt(&ok, 10);
    return ok ? value : 0;
}

LinkOutcome openLink(TSBXPC& control, const TerminalLinkValues& row)
{
    bool linked = false;
    switch (row.BaglantiTipi) {
    case kEthernet:
        linked = control.OpenTcpLink(row.MakineNo, row.IPAdres, row.Port, linkPassword(row.Parola));
        break;
    case kSerialPort:
        linked = control.OpenSerialLink(row.MakineNo, row.Port, kLinkBaudRate);
        break;
    case kUsb:
        linked = control.OpenSerialLink(row.MakineNo, 0, kLinkBaudRate);
        break;
    default:
        return LinkOutcome::NoCall;
    }
    return linked ? LinkOutcome::Linked : LinkOutcome::NotLinked;
}

}  // namespace tavlo
