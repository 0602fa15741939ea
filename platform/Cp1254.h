#pragma once

#include <QByteArray>
#include <QString>

namespace tavlo::cp1254 {

// Windows code page 1254 (Turkish), the single-byte text of every file the
// program reads or writes. A character the code page cannot hold becomes '?'.
QByteArray encode(const QString& text);
QString decode(const QByteArray& bytes);

// The text as it survives a trip through the code page.
QString representable(const QString& text);

}  // namespace tavlo::cp1254
