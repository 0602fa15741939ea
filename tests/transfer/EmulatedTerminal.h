#pragma once

#include "tests/emulator/EmulatorProcess.h"
#include "tests/support/TempFolder.h"
#include "transfer/RecordRules.h"

#include <QStringList>

#include <cstdint>
#include <memory>
#include <vector>

namespace tavlo::test {

// One real terminal emulator with a state folder of its own, serving TCP on
// a free loopback port. Its attendance log is set up before it starts.
class EmulatedTerminal {
public:
    static constexpr qint32 kPassword = 4321;

    explicit EmulatedTerminal(const std::vector<LogRecord>& records, QStringList faults = {},
                              qint32 machine = 1);

    // Kept across a restart unless another program took it meanwhile.
    quint16 port() const { return process_->port(); }
    qint32 machine() const { return machine_; }

    // Starts it again on the same log, with these faults in place of the old.
    void restart(const QStringList& faults = {});
    // Appends records to the log; the terminal is started again for it.
    void addRecords(const std::vector<LogRecord>& records, const QStringList& faults = {});

    // The records the terminal counts as delivered, and all it holds.
    std::uint32_t confirmed() const;
    std::uint32_t recordCount() const;

    // The TAB-separated import text of records.
    static QByteArray importText(const std::vector<LogRecord>& records);

private:
    void import(const std::vector<LogRecord>& records);

    TempFolder folder_;
    qint32 machine_;
    std::unique_ptr<EmulatorProcess> process_;
};

}  // namespace tavlo::test
