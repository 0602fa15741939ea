#include "transfer/MovementLine.h"

#include <cstring>

namespace tavlo {
namespace {

// The longest number a field can hold: a sign and ten digits.
constexpr int kNumberBytes = 11;

// Two digits at a time: the text of 0 to 99.
constexpr char kDigitPairs[] =
    "00010203040506070809101112131415161718192021222324252627282930313233343536373839"
    "40414243444546474849505152535455565758596061626364656667686970717273747576777879"
    "8081828384858687888990919293949596979899";

int digitCount(quint32 value)
{
    int count = 1;
    for (; value >= 10; value /= 10)
        ++count;
    return count;
}

// Writes a number as printf's "%N.Nd" does: at least `digits` digits, zero
// padded, a minus sign before the digits of a negative number.
char* writeNumber(char* out, qint32 value, int digits)
{
    quint32 magnitude = static_cast<quint32>(value);
    if (value < 0) {
        *out++ = '-';
        magnitude = 0u - magnitude;
    }
    const int length = digitCount(magnitude);
    for (int pad = length; pad < digits; ++pad)
        *out++ = '0';
    char* p = out + length;
    for (; magnitude >= 100; magnitude /= 100) {
        p -= 2;
        std::memcpy(p, kDigitPairs + magnitude % 100 * 2, 2);
    }
    if (magnitude >= 10)
        std::memcpy(p - 2, kDigitPairs + magnitude * 2, 2);
    else
        p[-1] = static_cast<char>('0' + magnitude);
    return out + length;
}

}  // namespace

qsizetype movementLineBound(const MovementRecord& record)
{
    // Seven numbers, their separators and ":00".
    return 7 * kNumberBytes + 9 + record.code.size();
}

char* writeMovementLine(char* p, const MovementRecord& r)
{
    p = writeNumber(p, r.terminalNumber, 3);
    *p++ = ',';
    p = writeNumber(p, r.user, 6);
    *p++ = ',';
    if (!r.code.isEmpty()) {
        std::memcpy(p, r.code.data(), static_cast<size_t>(r.code.size()));
        p += r.code.size();
    }
    *p++ = ',';
    p = writeNumber(p, r.year, 4);
    *p++ = '/';
    p = writeNumber(p, r.month, 2);
    *p++ = '/';
    p = writeNumber(p, r.day, 2);
    *p++ = ',';
    p = writeNumber(p, r.hour, 2);
    *p++ = ':';
    p = writeNumber(p, r.minute, 2);
    std::memcpy(p, ":00,", 4);
    p += 4;
    return writeNumber(p, r.mode, 1);
}

QByteArray formatMovementLine(const MovementRecord& record)
{
    QByteArray line(movementLineBound(record), Qt::Uninitialized);
    line.truncate(writeMovementLine(line.data(), record) - line.constData());
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
