#pragma once

#include <QString>
#include <QStringList>

namespace tavlo {

class Table;
class TSBXPC;

// The scratch window's single terminal operations. Only connect opens a
// link; the others use the link left open on the same control, always with
// machine number 1. Results are not examined but as each step says.
namespace scratch {

inline constexpr qint32 kMachine = 1;
inline constexpr auto kLinked = "Bağlantı kuruldu";
inline constexpr auto kSeparator = "----------";
// Elements 0 to 353 of an enrolment come from lines 6 to 359.
inline constexpr qsizetype kHeaderLines = 5;

// The initial scratch file: this name in the application folder.
inline constexpr auto kDefaultFileName = "Parmak-1-1.PDT";

// Text as a decimal integer, `fallback` when it is not one.
qint32 numberOr(const QString& text, qint32 fallback);

// CloseLink, then an Ethernet link with the terminal list's current row,
// whatever its connection type. True when it opened.
bool connect(TSBXPC& control, const Table& terminals);

// Reads the enrolment of "Personel No" / "Parmak No" (enrolment number plus
// one) and saves the scratch layout to `path`: the four header lines, ten
// hyphens and the enrolment's elements, or nothing at all when the
// terminal holds no such enrolment. Shows the number of elements first.
// Gives the lines saved. The keypad is switched on at the end, also when a
// call raised an error; a file that cannot be written raises.
QStringList download(TSBXPC& control, const QString& personelNo, const QString& parmakNo,
                     const QString& path);

// Writes the enrolment of the scratch file at `path` for the user of
// "Personel No" (1 when not a number). Gives the file's lines after the
// first five. A file that cannot be read raises before anything is sent.
// The keypad is switched on at the end, also when the write raised.
QStringList upload(TSBXPC& control, const QString& personelNo, const QString& path);

// Removes every enrolment of the user of "Personel No" (1 when not a number).
void removeAll(TSBXPC& control, const QString& personelNo);

}  // namespace scratch
}  // namespace tavlo
