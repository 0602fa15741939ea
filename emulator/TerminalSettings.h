#pragma once

#include <QString>

#include <cstdint>

namespace tavlo::emulator {

// The small values of a terminal that survive restarts, kept in
// "terminal.ini" of the state folder as key=value lines.
struct TerminalSettings {
    std::int32_t machine = 1;
    std::int32_t password = 0;
    std::int64_t clockOffset = 0;   // seconds added to the host's local clock
    bool keypadEnabled = true;
    std::uint32_t confirmed = 0;    // records counted as delivered (the read mark)

    static TerminalSettings load(const QString& path);
    void save(const QString& path) const;
};

}  // namespace tavlo::emulator
