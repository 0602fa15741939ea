#include "tests/emulator/DriverSettings.h"

namespace tavlo::test {

DriverSettings::DriverSettings(int connectMs, int replyMs)
    : connectMs_(connectMs),
      replyMs_(replyMs),
      previous_(qgetenv("SBXPC_CONFIG")),
      hadPrevious_(qEnvironmentVariableIsSet("SBXPC_CONFIG"))
{
    write();
    qputenv("SBXPC_CONFIG", folder_.file("sbxpc.conf").toLocal8Bit());
}

DriverSettings::~DriverSettings()
{
    if (hadPrevious_)
        qputenv("SBXPC_CONFIG", previous_);
    else
        qunsetenv("SBXPC_CONFIG");
}

void DriverSettings::mapSerialPort(int port, const QString& device)
{
    ports_[port] = device;
    write();
}

void DriverSettings::mapHost(const QString& address, const QString& target)
{
    hosts_[address] = target;
    write();
}

void DriverSettings::setTimeouts(int connectMs, int replyMs)
{
    connectMs_ = connectMs;
    replyMs_ = replyMs;
    write();
}

void DriverSettings::write() const
{
    QByteArray text = "[SerialPorts]\n";
    for (auto it = ports_.cbegin(); it != ports_.cend(); ++it)
        text += QByteArray::number(it.key()) + '=' + it.value().toLocal8Bit() + '\n';
    text += "[Hosts]\n";
    for (auto it = hosts_.cbegin(); it != hosts_.cend(); ++it)
        text += it.key().toLatin1() + '=' + it.value().toLatin1() + '\n';
    text += "[Timeouts]\nConnectMs=" + QByteArray::number(connectMs_) + "\nReplyMs="
            + QByteArray::number(replyMs_) + '\n';
    folder_.write("sbxpc.conf", text);
}

}  // namespace tavlo::test
