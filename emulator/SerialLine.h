#pragma once

#include "emulator/LinkEndpoint.h"

#include <QSocketNotifier>
#include <QString>

#include <memory>

namespace tavlo::emulator {

// The terminal's serial port, played by a pseudo-terminal: the PC opens its
// slave side as it would open /dev/ttyS0. The terminal keeps the slave side
// open itself, so that the line survives a PC that closes and opens it again.
// The line hears only at its own speed: a PC that opens it at another baud
// rate gets no answer, as on a real wire.
class SerialLine : public LinkEndpoint {
    Q_OBJECT
public:
    SerialLine(TerminalService& service, int baud, int slowMs, const QString& linkPath,
               QObject* parent);
    ~SerialLine() override;

    QString devicePath() const { return devicePath_; }

protected:
    bool hears() const override;
    void send(const QByteArray& bytes) override;
    void endLink() override;

private:
    void readMaster();
    void flush();

    int master_ = -1;
    int slave_ = -1;
    int baud_;
    QString devicePath_;
    QString linkPath_;
    QByteArray outgoing_;
    std::unique_ptr<QSocketNotifier> readable_;
    std::unique_ptr<QSocketNotifier> writable_;
};

}  // namespace tavlo::emulator
