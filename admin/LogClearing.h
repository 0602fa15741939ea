#pragma once

#include <QString>

namespace tavlo {

class Table;
class TSBXPC;

// "Yedekleri Sil": empties the attendance log of the terminal of the
// terminal list's current row, once the operator has confirmed that the
// records will be gone for good. Nothing on the PC changes.
//
// The keypad is locked before the terminal is asked how many records no
// transfer has confirmed, so that no record is made between that count
// and the clearing. When there are any, or the terminal cannot tell, a
// second question names them and only Yes clears.
class LogClearing {
public:
    static constexpr auto kDone = "Silme işlemi tamamlandı.";
    static constexpr auto kFailed = "Silme işlemi yapılamadı!";

    // The warning, its two pieces joined by a single carriage return.
    static QString question();
    // The second warning, for `count` records not yet transferred.
    static QString unconfirmedQuestion(qint32 count);
    // The second warning when the terminal does not say how many.
    static QString unknownCountQuestion();

    static void run(TSBXPC& control, const Table& terminals);

private:
    // Whether the log may go: at once when every record was transferred,
    // else as the operator answers the second warning.
    static bool mayClear(TSBXPC& control, qint32 machine);
};

}  // namespace tavlo
