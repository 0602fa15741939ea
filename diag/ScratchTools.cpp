#include "diag/ScratchTools.h"

#include "platform/Dialogs.h"
#include "platform/TextFile.h"
#include "store/Fields.h"
#include "store/Table.h"
#include "terminal/LinkProcedure.h"
#include "terminal/LinkSession.h"
#include "terminal/TSBXPC.h"

namespace tavlo::scratch {

namespace {

constexpr qint32 kNotANumber = 999999;
constexpr qint32 kDefaultUser = 1;
constexpr qint32 kAllEnrolments = 12;

// Switches the keypad on when the operation ends, however it ends: these
// tools never switch it off themselves, but an earlier tool or a failed
// call may have left it so.
class KeypadOnAtEnd {
public:
    explicit KeypadOnAtEnd(TSBXPC& control) : control_(control) {}
    ~KeypadOnAtEnd()
    {
        try {
            control_.SetDeviceEnabled(kMachine, 1);
        } catch (...) {
            // The error already on its way out is the one to show.
        }
    }
    KeypadOnAtEnd(const KeypadOnAtEnd&) = delete;
    KeypadOnAtEnd& operator=(const KeypadOnAtEnd&) = delete;

private:
    TSBXPC& control_;
};

QByteArray crlfText(const QStringList& lines)
{
    QByteArray text;
    for (const QString& line : lines)
        text += line.toLatin1() + "\r\n";
    return text;
}

qint32 lineNumber(const QByteArrayList& lines, qsizetype index)
{
    if (index >= lines.size())
        return 0;
    bool ok = false;
    const qint32 value = lines[index].trimmed().toInt(&ok);
    return ok ? value : 0;
}

}  // namespace

qint32 numberOr(const QString& text, qint32 fallback)
{
    bool ok = false;
    const qint32 value = text.trimmed().toInt(&ok);
    return ok ? value : fallback;
}

bool connect(TSBXPC& control, const Table& terminals)
{
    TerminalLinkValues row = linkValuesOf(terminals);
    row.BaglantiTipi = kEthernet;
    control.CloseLink();
    return openLink(control, row) == LinkOutcome::Linked;
}

QStringList download(TSBXPC& control, const QString& personelNo, const QString& parmakNo,
                     const QString& path)
{
    KeypadOnAtEnd keypad(control);
    const qint32 wantedUser = numberOr(personelNo, kNotANumber);
    const qint32 wantedEnrolment = numberOr(parmakNo, kNotANumber) - 1;
    QStringList lines;
    control.BeginUserRead(kMachine);
    qint32 user = 0, enrolmentMachine = 1, enrolment = 0, privilege = 0, enabled = 0;
    while (control.NextUserRecord(kMachine, user, enrolmentMachine, enrolment, privilege, enabled)) {
        if (user != wantedUser || enrolment != wantedEnrolment)
            continue;
        EnrolmentData data;
        qint32 password = 0;
        control.ReadEnrolment(kMachine, user, enrolmentMachine, enrolment, privilege, data, password);
        dialogs().showMessage(QString::number(data.size()));
        lines << QString::number(user) << QString::number(enrolment) << QString::number(privilege)
              << QString::number(password) << QLatin1String(kSeparator);
        for (const qint32 value : data)
            lines << QString::number(value);
        break;
    }
    textfile::writeAtomically(path, crlfText(lines));
    return lines;
}

QStringList upload(TSBXPC& control, const QString& personelNo, const QString& path)
{
    const QByteArrayList file = textfile::splitLines(textfile::readAll(path));
    KeypadOnAtEnd keypad(control);
    const qint32 enrolment = lineNumber(file, 1);
    const qint32 privilege = lineNumber(file, 2);
    const qint32 password = lineNumber(file, 3);
    EnrolmentData data(kEnrolmentSize, 0);
    for (qsizetype i = 0; i < kEnrolmentSize; ++i)
        data[i] = lineNumber(file, kHeaderLines + i);
    QStringList rest;
    for (qsizetype i = kHeaderLines; i < file.size(); ++i)
        rest << QString::fromLatin1(file[i]);
    control.WriteEnrolment(kMachine, numberOr(personelNo, kDefaultUser), 1, enrolment, privilege, data,
                           password);
    return rest;
}

void removeAll(TSBXPC& control, const QString& personelNo)
{
    control.DeleteEnrolment(kMachine, numberOr(personelNo, kDefaultUser), 1, kAllEnrolments);
}

}  // namespace tavlo::scratch
