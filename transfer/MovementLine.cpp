#include "transfer/MovementLine.h"

#include "platform/Cp1254.h"

#include <charconv>

namespace tavlo {
namespace {

// A number as printf's "%N.Nd" writes it: at least `digits` digits, zero
// padded, a minus sign before the digits of a negative number.
void appendNumber(QByteArray& out, qint32 value, int digits)
{
    char text[16];
    const qint64 wide = value;
    const qint64 magnitude = wide < 0 ? -wide : wide;
    const auto end = std::to_chars(text, text + sizeof text, magnitude).ptr;
    const int length = static_cast<int>(end - text);
    if (wide < 0)
        out.append('-');
    for (int pad = length; pad < digits; ++pad)
        out.append('0');
    out.append(text, length);
}

}  // namespace

QByteArray formatMovementLine(const MovementRecord& record)
{
    QByteArray line;
    line.reserve(40);
    appendNumber(line, record.terminalNumber, 3);
    line.append(',');
    appendNumber(line, record.user, 6);
    line.append(',');
    line.append(cp1254::encode(record.code));
    line.append(',');
    appendNumber(line, record.year, 4);
    line.append('/');
    appendNumber(line, record.month, 2);
    line.append('/');
    appendNumber(line, record.day, 2);
    line.append(',');
    appendNumber(line, record.hour, 2);
    line.append(':');
    appendNumber(line, record.minute, 2);
    line.append(":00,");
    appendNumber(line, record.mode, 1);
    return line;
}

QString backupFilePath(const QString& applicationDirectory, const QDate& date)
{
    return applicationDirectory
         + QStringLiteral("Backup/%1-%2-%3.txt")
               .arg(date.year(), 4, 10, QLatin1Char('0'))
               .arg(date.month(), 2, 10, QLatin1Char('0'))
               .arg(date.day(), 2, 10, QLatin1Char('0'));
}

}  // namespace tavlo
