#include "emulator/TerminalSettings.h"

#include "platform/Error.h"
#include "platform/TextFile.h"

#include <QFileInfo>

namespace tavlo::emulator {

TerminalSettings TerminalSettings::load(const QString& path)
{
    TerminalSettings s;
    if (!QFileInfo::exists(path))
        return s;
    for (const QByteArray& line : textfile::splitLines(textfile::readAll(path))) {
        const qsizetype eq = line.indexOf('=');
        if (eq < 0)
            continue;
        const QByteArray key = line.left(eq).trimmed();
        const QByteArray value = line.mid(eq + 1).trimmed();
        bool ok = false;
        const qlonglong n = value.toLongLong(&ok);
        if (!ok)
            throw Error(QStringLiteral("Bad value \"%1\" for %2 in \"%3\".")
                            .arg(QString::fromUtf8(value), QString::fromUtf8(key), path));
        if (key == "machine")
            s.machine = static_cast<std::int32_t>(n);
        else if (key == "password")
            s.password = static_cast<std::int32_t>(n);
        else if (key == "clock-offset")
            s.clockOffset = n;
        else if (key == "keypad")
            s.keypadEnabled = n != 0;
        else if (key == "confirmed")
            s.confirmed = n < 0 ? 0 : static_cast<std::uint32_t>(n);
    }
    return s;
}

void TerminalSettings::save(const QString& path) const
{
    const QString text = QStringLiteral(
                             "machine=%1\npassword=%2\nclock-offset=%3\nkeypad=%4\nconfirmed=%5\n")
                             .arg(machine)
                             .arg(password)
                             .arg(clockOffset)
                             .arg(keypadEnabled ? 1 : 0)
                             .arg(confirmed);
    textfile::writeAtomically(path, text.toUtf8());
}

}  // namespace tavlo::emulator
