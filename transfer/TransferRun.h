#pragma once

#include "transfer/RecordRules.h"
#include "transfer/TransferTarget.h"

#include <QDate>
#include <QString>

#include <chrono>
#include <optional>
#include <vector>

namespace tavlo {

class MovementLines;
class Table;
class TransferFiles;
class TransferStatus;
class TSBXPC;

// What the operator set for a run and where its lines go.
struct TransferSettings {
    QString applicationDirectory;  // with a trailing separator
    QString movementFilePath;
    QString entryCode;
    QString exitCode;
    // "Cihazlardan yedekleri al": all stored records instead of the new
    // ones, within the optional date window.
    bool allRecords = false;
    std::optional<QDate> fromDate;
    std::optional<QDate> toDate;
    // The PC's date at the start of the run; names the daily backup file.
    QDate today;
};

// What the run asks of the window it runs in.
class TransferView {
public:
    virtual ~TransferView() = default;
    // Lets the window handle what is pending, the operator's input included;
    // once per terminal.
    virtual void processMessages() = 0;
    // Shows a change of a row's status or progress at once.
    virtual void repaint() = 0;
    // True once the operator asked, while messages were handled, that the
    // run end; the run then stops before its next terminal. A terminal in
    // hand is always finished, so its records are saved and confirmed or
    // neither.
    virtual bool stopRequested() const { return false; }
};

// One run of "Bilgileri Aktar": reads the records of every ticked terminal,
// one terminal after another, and writes the valid ones as movement lines
// to the movement file and the day's backup file.
//
// No record is lost or doubled: a terminal's lines are saved to both files,
// flushed to the disk, before its link is closed, and closing the link is
// what confirms the records to the terminal. When anything goes wrong during
// a terminal, its link is dropped without confirming, nothing of it stays
// in the files, and its records come again with the next run. When the
// terminal's acknowledgement of the confirmation does not come, the save
// journal keeps which records were saved, and the next run confirms exactly
// those before it reads the terminal again. A read of all stored records
// ("Cihazlardan yedekleri al") confirms nothing, so the terminal's new
// records stay new.
//
// One run at a time per application folder, across programs: a run holds the
// folder's lock for its whole length.
class TransferRun {
public:
    static constexpr auto kNoTerminalMessage = "En az bir cihaz seçmeniz gerekmektedir";
    static constexpr auto kFolderBusyMessage =
        "Bu klasörde başka bir aktarım sürüyor. O aktarım bittikten sonra yeniden deneyin.";
    // The note of a save under way, in the application folder.
    static constexpr auto kSaveJournalFile = "Aktarim.kayit";
    // The lock that keeps two runs on one application folder apart.
    static constexpr auto kLockFile = "Aktarim.kilit";

    enum class Ended {
        Ran,            // every ticked terminal had its turn
        NothingTicked,  // no terminal was ticked
        FolderBusy,     // another run held the folder for longer than the wait
    };

    TransferRun(Table& terminals, TSBXPC& control, TransferSettings settings, TransferView& view);

    // How long to wait for another run on the same folder to end; by
    // default not at all.
    void setLockWait(std::chrono::milliseconds wait) { lockWait_ = wait; }

    Ended run();

private:
    std::vector<TransferTarget> collectTargets();
    void transferOne(TransferTarget& target, TransferFiles& files, TransferStatus& status);
    MovementLines readRecords(TransferTarget& target, qint32 machine, TransferStatus& status);

    Table& terminals_;
    TSBXPC& control_;
    TransferSettings settings_;
    TransferView& view_;
    DateWindow window_;
    std::chrono::milliseconds lockWait_{0};
};

}  // namespace tavlo
