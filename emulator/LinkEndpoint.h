#pragma once

#include "emulator/Session.h"
#include "emulator/TerminalService.h"
#include "sdk/protocol/FrameReader.h"

#include <QByteArray>
#include <QObject>

#include <deque>

namespace tavlo::emulator {

// One end of a link as the terminal sees it: cuts the incoming bytes into
// frames, hands each request to the service and sends its answer, late when
// the terminal is told to be slow. Subclasses move the bytes.
class LinkEndpoint : public QObject {
    Q_OBJECT
public:
    LinkEndpoint(TerminalService& service, protocol::FrameReader::Mode mode, int slowMs,
                 QObject* parent);

protected:
    void receive(const QByteArray& bytes);
    // Whether a frame may be taken at all; a serial line at the wrong speed
    // hears only noise.
    virtual bool hears() const { return true; }
    virtual void send(const QByteArray& bytes) = 0;
    virtual void endLink() = 0;
    // Forgets a broken stream so that a serial line can carry the next link.
    void restartReader() { reader_.reset(); }
    Session& session() { return session_; }

private:
    void handle(const protocol::Frame& frame);
    void deliver();

    TerminalService& service_;
    protocol::FrameReader reader_;
    Session session_;
    int slowMs_;
    struct Pending {
        QByteArray bytes;
        bool close = false;
    };
    std::deque<Pending> pending_;
};

}  // namespace tavlo::emulator
