#pragma once

#include "emulator/LinkEndpoint.h"

#include <QTcpSocket>

namespace tavlo::emulator {

// A link over one TCP connection; it ends with the connection.
class TcpLink : public LinkEndpoint {
    Q_OBJECT
public:
    TcpLink(TerminalService& service, QTcpSocket* socket, int slowMs, QObject* parent);

protected:
    void send(const QByteArray& bytes) override;
    void endLink() override;

private:
    QTcpSocket* socket_;
    bool ended_ = false;
};

}  // namespace tavlo::emulator
