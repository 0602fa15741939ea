#pragma once

#include <QString>

#include <optional>
#include <vector>

namespace tavlo {

// Notes on the disk about terminals' lines whose save or confirmation is not
// finished, so that a run killed or cut off midway leaves no torn, lost or
// doubled lines. One note per terminal:
//
//   saving   the files may hold part of the lines; their terminal has not
//            been told anything, so the lines come again. Settling the note
//            cuts both files back to their sizes before the save.
//   saved    both files hold all the lines, and the terminal has not yet
//            acknowledged that it delivered them. The note names the records
//            by their place in the terminal's log, so that a later run
//            confirms exactly those before it reads that terminal again.
//
// A terminal's note goes once its terminal has acknowledged.
class SaveJournal {
public:
    enum class Stage { Saving, Saved };

    struct Entry {
        Stage stage = Stage::Saving;
        // How the terminal is reached: connection type, machine number and
        // address. Empty in a note of an older kind, which names no records.
        QString terminal;
        // The records the lines were made from: `logCount` records from
        // position `logStart` of the terminal's log on.
        qint64 logStart = 0;
        qint64 logCount = 0;
        QString movementPath;
        qint64 movementSize = 0;
        QString backupPath;
        qint64 backupSize = 0;
        friend bool operator==(const Entry&, const Entry&) = default;
    };

    explicit SaveJournal(QString path);

    const QString& path() const { return path_; }

    // The notes on the disk: none when there is no note file, or one that
    // does not read as notes (it is then left for `recover` to remove).
    std::vector<Entry> read() const;
    // Replaces every note; no notes removes the file. Each write reaches the
    // disk before it returns; a failure raises Error.
    void write(const std::vector<Entry>& entries) const;

    // Settles the saves an earlier run left unfinished: cuts the files of
    // every "saving" note back and forgets that note. "saved" notes stay
    // until their terminal is told. A file that cannot be cut back raises
    // Error and keeps every note.
    void recover() const;

    // The "saved" note of a terminal, if it has one.
    std::optional<Entry> unconfirmed(const QString& terminal) const;
    // Adds or replaces the note of the entry's terminal.
    void put(const Entry& entry) const;
    // Forgets the note of a terminal.
    void forget(const QString& terminal) const;

private:
    QString path_;
};

}  // namespace tavlo
