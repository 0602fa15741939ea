#pragma once

#include "tests/support/TempFolder.h"

#include <QByteArray>
#include <QMap>
#include <QString>

namespace tavlo::test {

// The terminal driver's configuration file for the scope's lifetime, found
// through SBXPC_CONFIG: which device a serial port number opens, and short
// time-outs so that tests of a silent terminal end quickly.
class DriverSettings {
public:
    DriverSettings(int connectMs, int replyMs);
    ~DriverSettings();
    DriverSettings(const DriverSettings&) = delete;
    DriverSettings& operator=(const DriverSettings&) = delete;

    void mapSerialPort(int port, const QString& device);
    void setTimeouts(int connectMs, int replyMs);

private:
    void write() const;

    TempFolder folder_;
    int connectMs_;
    int replyMs_;
    QMap<int, QString> ports_;
    QByteArray previous_;
    bool hadPrevious_;
};

}  // namespace tavlo::test
