#include "transfer/TransferRun.h"

#include "platform/Cp1254.h"
#include "platform/Dialogs.h"
#include "platform/FolderLock.h"
#include "store/Table.h"
#include "terminal/LinkProcedure.h"
#include "terminal/LinkSession.h"
#include "terminal/TSBXPC.h"
#include "transfer/MovementLine.h"
#include "transfer/MovementLines.h"
#include "transfer/TransferFiles.h"
#include "transfer/TransferStatus.h"

namespace tavlo {
namespace {

constexpr qint32 kNewRecords = 6;
constexpr qint32 kAllRecords = 8;
constexpr int kTargetTextLength = 20;

// How the journal names a terminal: what its link is opened with, but the
// password.
QString terminalKey(const TerminalLinkValues& link)
{
    QString key = QStringLiteral("%1 %2").arg(link.BaglantiTipi).arg(link.MakineNo);
    if (link.BaglantiTipi == kEthernet)
        key += QStringLiteral(" %1:%2").arg(link.IPAdres.trimmed()).arg(link.Port);
    else if (link.BaglantiTipi == kSerialPort)
        key += QStringLiteral(" %1").arg(link.Port);
    return key;
}

}  // namespace

TransferRun::TransferRun(Table& terminals, TSBXPC& control, TransferSettings settings,
                         TransferView& view)
    : terminals_(terminals), control_(control), settings_(std::move(settings)), view_(view)
{
}

TransferRun::Ended TransferRun::run()
{
    const auto lock = FolderLock::acquire(settings_.applicationDirectory + QLatin1String(kLockFile), lockWait_);
    if (!lock) {
        dialogs().showMessage(QString::fromUtf8(kFolderBusyMessage));
        return Ended::FolderBusy;
    }
    TransferStatus status(terminals_, [this] { view_.repaint(); });

    // A link left open on this control is ended without confirming: records
    // a developer tool read on it never reached the movement file, and must
    // come again.
    control_.DropLink();
    status.resetProgress();
    window_ = settings_.allRecords ? DateWindow::fromBounds(settings_.fromDate, settings_.toDate)
                                   : DateWindow{};
    TransferFiles files(settings_.movementFilePath,
                        backupFilePath(settings_.applicationDirectory, settings_.today),
                        settings_.applicationDirectory + QLatin1String(kSaveJournalFile));
    files.load();
    status.clearStatusTexts();
    try {
        control_.DropLink();
    } catch (...) {
    }

    std::vector<TransferTarget> targets = collectTargets();
    if (targets.empty()) {
        dialogs().showMessage(QString::fromUtf8(kNoTerminalMessage));
        return Ended::NothingTicked;
    }
    for (TransferTarget& target : targets) {
        view_.processMessages();
        if (view_.stopRequested())
            break;
        transferOne(target, files, status);
    }
    return Ended::Ran;
}

std::vector<TransferTarget> TransferRun::collectTargets()
{
    std::vector<TransferTarget> targets;
    for (terminals_.first(); !terminals_.eof(); terminals_.next()) {
        if (terminals_.get(Cihaz::Isaret) != 1)
            continue;
        TransferTarget target;
        target.rowId = terminals_.get(RecId);
        target.name = terminals_.get(Cihaz::CihazAdi).left(kTargetTextLength);
        target.terminalNumber = terminals_.get(Cihaz::CihazNo);
        target.machineNumber = terminals_.get(Cihaz::MakineNo);
        target.connectionType = terminals_.get(Cihaz::BaglantiTipi);
        target.address = terminals_.get(Cihaz::IPAdres).left(kTargetTextLength);
        target.port = terminals_.get(Cihaz::Port);
        target.serialPort = terminals_.get(Cihaz::ComportNo);
        target.password = linkPassword(terminals_.get(Cihaz::Parola));
        target.entryExitType = terminals_.get(Cihaz::GCTip);
        targets.push_back(std::move(target));
    }
    return targets;
}

void TransferRun::transferOne(TransferTarget& target, TransferFiles& files, TransferStatus& status)
{
    status.setStatusText(target.rowId, QString::fromUtf8(TransferStatus::kLinking));

    TerminalLinkValues link;
    link.BaglantiTipi = target.connectionType;
    link.MakineNo = target.machineNumber;
    // The row the status left current; its address as it stands now.
    link.IPAdres = terminals_.get(RecId) == target.rowId ? terminals_.get(Cihaz::IPAdres) : target.address;
    link.Port = target.port;
    link.Parola = QString::number(target.password);
    // Whatever ends this terminal early, an error included, drops the link:
    // nothing of it is confirmed, and its records come again.
    LinkSession session(control_, link, linksite::kTransfer);
    if (!session.linked()) {
        status.setStatusText(target.rowId, QString::fromUtf8(TransferStatus::kNotLinked));
        return;
    }
    status.setStatusText(target.rowId, QString::fromUtf8(TransferStatus::kReading));

    const qint32 machine = session.machine();
    const QString terminal = terminalKey(link);
    // Records an earlier run saved but could not get acknowledged are
    // confirmed first; read before that, they would come again and be saved
    // twice.
    if (const auto saved = files.unconfirmed(terminal)) {
        if (!control_.ConfirmLogRead(machine, static_cast<qint32>(saved->start),
                                     static_cast<qint32>(saved->count))) {
            session.drop();
            status.setStatusText(target.rowId, QString::fromUtf8(TransferStatus::kInterrupted));
            return;
        }
        files.confirmed(terminal);
    }

    const MovementLines lines = readRecords(target, machine, status);
    if (!control_.LastLogReadComplete()) {
        // The records of a broken read come again; none of them is kept, and
        // the bar must not suggest that a part was saved.
        session.drop();
        status.setStatusText(target.rowId, QString::fromUtf8(TransferStatus::kInterrupted));
        status.setProgress(target.rowId, 0, target.shownProgress);
        target.shownProgress = 0;
        return;
    }

    // A read of all stored records, for backups, must confirm nothing: it
    // delivers new records too, and those the date window kept out of the
    // files would then never come again. Its note names no records.
    const qint64 delivered = settings_.allRecords ? 0 : control_.LastLogReadCount();
    files.save(lines, {terminal, control_.LastLogReadStart(), delivered});
    // Closing the link confirms what the read delivered; the note goes only
    // once the terminal acknowledged it.
    bool acknowledged = true;
    if (settings_.allRecords)
        session.drop();
    else
        acknowledged = session.close() || lines.count() == 0;
    if (acknowledged) {
        files.confirmed(terminal);
        status.setStatusText(target.rowId, QString::fromUtf8(TransferStatus::kCompleted));
        if (lines.count() > 0)
            status.setProgress(target.rowId, 100, 0);
    } else {
        status.setStatusText(target.rowId, QString::fromUtf8(TransferStatus::kUnconfirmed));
        status.setProgress(target.rowId, 100, target.shownProgress);
        target.shownProgress = 100;
    }
    terminals_.refresh();
    view_.repaint();
}

MovementLines TransferRun::readRecords(TransferTarget& target, qint32 machine, TransferStatus& status)
{
    control_.SetReadMark(!settings_.allRecords);
    qint32 expected = 0;
    control_.GetStatusValue(machine, settings_.allRecords ? kAllRecords : kNewRecords, expected);
    control_.BeginLogRead(machine);

    const QByteArray entryCode = cp1254::encode(settings_.entryCode);
    const QByteArray exitCode = cp1254::encode(settings_.exitCode);
    MovementLines lines;
    LogRecord record;
    qint32 ignored = 0;
    while (control_.NextLogRecord(machine, ignored, record.user, ignored, record.mode, record.year,
                                  record.month, record.day, record.hour, record.minute, record.second)) {
        const EntryExit kind = decideEntryExit(target.entryExitType, record.mode);
        if (!isValidRecordTime(record) || (window_.active && !window_.contains(record)))
            continue;
        lines.add(MovementRecord{target.terminalNumber, record.user, kind.exit ? exitCode : entryCode,
                                 record.year, record.month, record.day, record.hour, record.minute,
                                 kind.mode});
        target.progress = progressPercent(lines.count(), expected);
        status.setProgress(target.rowId, target.progress, target.shownProgress);
        target.shownProgress = target.progress;
    }
    return lines;
}

}  // namespace tavlo
