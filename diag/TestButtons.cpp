#include "diag/TestButtons.h"

#include "terminal/TSBXPC.h"

namespace tavlo::testbuttons {

namespace {
constexpr qint32 kRawUser = 3;
constexpr qint32 kRawEnrolment = 1;
}  // namespace

bool shownToDeveloper()
{
    return qEnvironmentVariable(kDeveloperVariable) == QLatin1String("1");
}

TryTransferResult tryTransfer(TSBXPC& control)
{
    TryTransferResult result;
    result.linked = control.OpenTcpLink(kMachine, QLatin1String(kFixedAddress), kFixedPort, kFixedPassword);
    control.BeginLogRead(kMachine);
    qint32 terminal = 0, user = 0, verify = 0, mode = 0, year = 0, month = 0, day = 0, hour = 0,
           minute = 0, second = 0;
    int index = 0;
    while (control.NextLogRecord(kMachine, terminal, user, verify, mode, year, month, day, hour, minute,
                                 second)) {
        result.lines << QString::asprintf("[%d]- PER=%d   ---------- %4.4d/%2.2d/%2.2d - %2.2d:%2.2d ",
                                          index++, user, year, month, day, hour, minute);
    }
    return result;
}

QString getEnroll(TSBXPC& control, KeptIntegers& kept)
{
    control.BeginUserRead(kMachine);
    control.ReadEnrolmentRaw(kMachine, kRawUser, kRawEnrolment, kept.first, kept.second, kept.third);
    return QStringLiteral("aa====") + QString::number(kept.second);
}

void setEnroll(TSBXPC& control, KeptIntegers& kept)
{
    control.WriteEnrolmentRaw(kMachine, kRawUser, kRawEnrolment, kept.first, kept.second, kept.third);
}

}  // namespace tavlo::testbuttons
