#include "tests/transfer/EmulatedTerminal.h"

#include "emulator/TerminalState.h"

namespace tavlo::test {

EmulatedTerminal::EmulatedTerminal(const std::vector<LogRecord>& records, QStringList faults,
                                   qint32 machine)
    : machine_(machine)
{
    EmulatorProcess::runOnce({"--state", folder_.file("state"), "--machine", QString::number(machine),
                              "--password", QString::number(kPassword)});
    import(records);
    EmulatorProcess::Options options;
    options.stateFolder = folder_.file("state");
    options.machine = machine;
    options.password = kPassword;
    options.extra = std::move(faults);
    process_ = std::make_unique<EmulatorProcess>(options);
}

void EmulatedTerminal::restart(const QStringList& faults)
{
    process_->restart(faults);
}

void EmulatedTerminal::addRecords(const std::vector<LogRecord>& records, const QStringList& faults)
{
    process_->stop();
    import(records);
    process_->restart(faults);
}

void EmulatedTerminal::import(const std::vector<LogRecord>& records)
{
    if (records.empty())
        return;
    folder_.write("records.tsv", importText(records));
    EmulatorProcess::runOnce({"--state", folder_.file("state"), "--import-records", folder_.file("records.tsv")});
}

std::uint32_t EmulatedTerminal::confirmed() const
{
    return emulator::TerminalState(folder_.file("state")).confirmed();
}

std::uint32_t EmulatedTerminal::recordCount() const
{
    return emulator::TerminalState(folder_.file("state")).records().count();
}

QByteArray EmulatedTerminal::importText(const std::vector<LogRecord>& records)
{
    QByteArray text = "user\tmode\tyear\tmonth\tday\thour\tminute\tsecond\n";
    for (const LogRecord& r : records) {
        for (const qint32 value : {r.user, r.mode, r.year, r.month, r.day, r.hour, r.minute})
            text += QByteArray::number(value) + '\t';
        text += QByteArray::number(r.second) + '\n';
    }
    return text;
}

}  // namespace tavlo::test
