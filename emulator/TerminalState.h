#pragma once

#include "emulator/EnrolmentTable.h"
#include "emulator/RecordFile.h"
#include "emulator/TerminalSettings.h"

#include <QString>

namespace tavlo::emulator {

// Everything a terminal keeps, in its state folder:
//   terminal.ini      machine number, password, clock offset, keypad, read mark
//   records.dat       the attendance log
//   users.tsv         one line per enrolment: user, enrolment, privilege, ...
//   enrolments/       the data of each enrolment
// Every change is on disk before the terminal answers, so a terminal that is
// stopped and started again knows all it had confirmed.
class TerminalState {
public:
    explicit TerminalState(const QString& folder);

    const TerminalSettings& settings() const { return settings_; }
    void changeSettings(const TerminalSettings& settings);

    RecordFile& records() { return records_; }
    EnrolmentTable& enrolments() { return enrolments_; }
    const EnrolmentTable& enrolments() const { return enrolments_; }

    // Records counted as delivered; never more than the log holds.
    std::uint32_t confirmed() const;
    std::uint32_t unconfirmed() const { return records_.count() - confirmed(); }
    // Moves the read mark forward to `end`; never backwards.
    void confirmUpTo(std::uint32_t end);
    void clearRecords();

    const QString& folder() const { return folder_; }

private:
    static QString prepared(const QString& folder);

    QString folder_;
    TerminalSettings settings_;
    RecordFile records_;
    EnrolmentTable enrolments_;
};

}  // namespace tavlo::emulator
