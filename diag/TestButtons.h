#pragma once

#include <QString>
#include <QStringList>

namespace tavlo {

class TSBXPC;

// The main window's hidden developer buttons, on the main window's own
// control. Only tryTransfer opens a link; the others use one left open,
// always with machine number 1.
namespace testbuttons {

inline constexpr qint32 kMachine = 1;
// "Aktarım Dene" always links here; the driver configuration's [Hosts]
// section can send it to an emulator on this machine.
inline constexpr auto kFixedAddress = "192.168.1.224";
inline constexpr qint32 kFixedPort = 5005;
inline constexpr qint32 kFixedPassword = 0;

// The environment variable that shows the hidden buttons to a developer:
// TAVLO_DEVELOPER=1. No file of the program holds it.
inline constexpr auto kDeveloperVariable = "TAVLO_DEVELOPER";
bool shownToDeveloper();

struct TryTransferResult {
    bool linked = false;
    QStringList lines;  // one per record the log delivered
};

// "Aktarım Dene": links to the fixed terminal and, whatever came of it,
// walks its log. The read mark is not changed, the keypad not switched,
// nothing written, the link left open; nothing is confirmed by it.
TryTransferResult tryTransfer(TSBXPC& control);

// The three integers "Get Enroll" fills and "Set Enroll" passes back.
struct KeptIntegers {
    qint32 first = 0;
    qint32 second = 0;
    qint32 third = 0;
};

// "Get Enroll": the text "aa====" with the second kept integer.
QString getEnroll(TSBXPC& control, KeptIntegers& kept);
// "Set Enroll": writes back what "Get Enroll" read.
void setEnroll(TSBXPC& control, KeptIntegers& kept);

}  // namespace testbuttons
}  // namespace tavlo
