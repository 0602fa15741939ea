#pragma once

#include <QString>

#include <optional>

namespace tavlo {

// A note on the disk of a save of one terminal's lines that is under way,
// so that a run killed in the middle of it leaves no torn or doubled lines:
//
//   saving   the files may hold part of the lines; their terminal has not
//            been told anything, so the lines come again. The next run
//            cuts both files back to their sizes before the save.
//   saved    both files hold all the lines; the terminal is being told.
//            The next run keeps the lines.
//
// The note is gone once the terminal has been told.
class SaveJournal {
public:
    enum class Stage { Saving, Saved };

    struct Entry {
        Stage stage = Stage::Saving;
        QString movementPath;
        qint64 movementSize = 0;
        QString backupPath;
        qint64 backupSize = 0;
    };

    explicit SaveJournal(QString path);

    const QString& path() const { return path_; }

    // Each write reaches the disk before it returns; a failure raises Error.
    void write(const Entry& entry) const;
    void remove() const;
    // Nothing when there is no note, or one that does not read as a note.
    std::optional<Entry> read() const;

    // Settles what a note left by an earlier run says, and removes it.
    void recover() const;

private:
    QString path_;
};

}  // namespace tavlo
