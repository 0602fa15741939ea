#pragma once

#include "tests/support/TempFolder.h"

#include <QByteArray>
#include <QMap>
#include <QString>

namespace tavlo::test {

// The terminal driver's configuration file for the scope's lifetime, found
// through SBXPC_CONFIG: which device a serial port number opens, and short
// time-outs so that tests of a silent terminal end quickly, and where a TCP
// link to a fixed address goes instead.
class DriverSettings {
public:
    DriverSettings(int connectMs, int replyMs);
    ~DriverSettings();
    DriverSettings(const DriverSettings&) = delete;
    DriverSettings& operator=(const DriverSettings&) = delete;

    void mapSerialPort(int port, const QString& device);
    // A TCP link to `address` goes to `target` ("HOST" or "HOST:PORT").
    void mapHost(const QString& address, const QString& target);
    void setTimeouts(int connectMs, int replyMs);

private:
    void write() const;

    TempFolder folder_;
    int connectMs_;
    int replyMs_;
    QMap<int, QString> ports_;
    QMap<QString, QString> hosts_;
    QByteArray previous_;
    bool hadPrevious_;
};

}  // namespace tavlo::test
