#pragma once

#include <QList>

namespace tavlo {

// A fingerprint enrolment as the terminal keeps it: 354 signed 32-bit
// integers, indices 0 to 353, stored and restored without being interpreted.
using EnrolmentData = QList<qint32>;
inline constexpr qsizetype kEnrolmentSize = 354;

}  // namespace tavlo
