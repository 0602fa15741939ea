#include "emulator/TcpLink.h"

namespace tavlo::emulator {

TcpLink::TcpLink(TerminalService& service, QTcpSocket* socket, int slowMs, QObject* parent)
    : LinkEndpoint(service, protocol::FrameReader::Mode::Strict, slowMs, parent), socket_(socket)
{
    socket_->setParent(this);
    connect(socket_, &QTcpSocket::readyRead, this, [this] { receive(socket_->readAll()); });
    connect(socket_, &QTcpSocket::disconnected, this, [this] {
        ended_ = true;
        deleteLater();
    });
}

void TcpLink::send(const QByteArray& bytes)
{
    if (!ended_)
        socket_->write(bytes);
}

void TcpLink::endLink()
{
    if (ended_)
        return;
    ended_ = true;
    // The last answer (the acknowledgement of a closing link) is still on
    // its way: the socket closes once it is written, and the link goes with
    // its disconnection.
    socket_->flush();
    socket_->disconnectFromHost();
    if (socket_->state() == QAbstractSocket::UnconnectedState)
        deleteLater();
}

}  // namespace tavlo::emulator
