#pragma once

#include "emulator/TerminalState.h"
#include "terminal/TSBXPC.h"
#include "tests/emulator/DriverSettings.h"
#include "tests/emulator/EmulatorProcess.h"
#include "tests/support/TempFolder.h"
#include "tests/support/UserFolders.h"

#include <memory>
#include <ostream>

namespace tavlo::test {

enum class Transport { Tcp, Serial };

inline void PrintTo(Transport t, std::ostream* os)
{
    *os << (t == Transport::Tcp ? "Tcp" : "Serial");
}

// A registered control and a real emulator serving machine 1 (password 4321)
// over TCP and over a pseudo-terminal that serial port 3 and the USB port
// (0) are mapped to. Records and users are imported before it starts.
class LiveTerminal {
public:
    static constexpr qint32 kMachine = 1;
    static constexpr qint32 kPassword = 4321;
    static constexpr qint32 kSerialPort = 3;

    explicit LiveTerminal(const QByteArray& records = {}, const QByteArray& users = {},
                          QStringList extra = {});

    bool open(TSBXPC& control, Transport transport, qint32 machine = kMachine);
    // The terminal's state as its files hold it now.
    emulator::TerminalState state() const { return emulator::TerminalState(folder.file("state")); }

    UserFolders user;
    DriverSettings driver{1000, 2000};
    TempFolder folder;
    std::unique_ptr<EmulatorProcess> emulator;
};

}  // namespace tavlo::test
