#include "tests/terminal/LiveTerminal.h"

namespace tavlo::test {

LiveTerminal::LiveTerminal(const QByteArray& records, const QByteArray& users, QStringList extra)
{
    user.registerControl();
    QStringList imports{"--state", folder.file("state")};
    if (!records.isEmpty()) {
        folder.write("records.tsv", records);
        imports << "--import-records" << folder.file("records.tsv");
    }
    if (!users.isEmpty()) {
        folder.write("users.tsv", users);
        imports << "--import-users" << folder.file("users.tsv");
    }
    EmulatorProcess::runOnce(imports);

    EmulatorProcess::Options options;
    options.stateFolder = folder.file("state");
    options.machine = kMachine;
    options.password = kPassword;
    options.serialLink = folder.file("ttyEMU");
    options.extra = std::move(extra);
    emulator = std::make_unique<EmulatorProcess>(options);
    driver.mapSerialPort(kSerialPort, options.serialLink);
    driver.mapSerialPort(0, options.serialLink);
}

bool LiveTerminal::open(TSBXPC& control, Transport transport, qint32 machine)
{
    if (transport == Transport::Tcp)
        return control.OpenTcpLink(machine, "127.0.0.1", emulator->port(), kPassword);
    return control.OpenSerialLink(machine, kSerialPort, 115200);
}

}  // namespace tavlo::test
