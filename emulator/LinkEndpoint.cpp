#include "emulator/LinkEndpoint.h"

#include "sdk/protocol/MessageCodec.h"

#include <QTimer>

namespace tavlo::emulator {

using namespace protocol;

LinkEndpoint::LinkEndpoint(TerminalService& service, FrameReader::Mode mode, int slowMs,
                           QObject* parent)
    : QObject(parent), service_(service), reader_(mode), slowMs_(slowMs)
{
}

void LinkEndpoint::receive(const QByteArray& bytes)
{
    auto rest = std::span(reinterpret_cast<const std::uint8_t*>(bytes.constData()),
                          static_cast<std::size_t>(bytes.size()));
    while (!rest.empty()) {
        rest = rest.subspan(reader_.feed(rest));
        Frame frame;
        for (;;) {
            const FrameReader::Result result = reader_.next(frame);
            if (result == FrameReader::Result::Frame) {
                if (hears())
                    handle(frame);
                continue;
            }
            if (result == FrameReader::Result::Broken) {
                endLink();
                return;
            }
            break;
        }
    }
}

void LinkEndpoint::handle(const Frame& frame)
{
    const auto bytesOf = [](const Frame& reply) {
        const std::vector<std::uint8_t> b = encodeFrame(reply);
        return QByteArray(reinterpret_cast<const char*>(b.data()), static_cast<qsizetype>(b.size()));
    };
    Pending answer;
    if (const std::optional<Request> request = decodeRequest(frame.kind, frame.payload)) {
        const TerminalService::Outcome outcome = service_.handle(session_, *request);
        if (outcome.action == TerminalService::Action::Ignore)
            return;
        if (outcome.action != TerminalService::Action::Close)
            answer.bytes = bytesOf(replyFrame(opOf(*request), outcome.reply, frame.sequence));
        answer.close = outcome.action != TerminalService::Action::Reply;
    } else if (isOp(frame.kind)) {
        // A well-framed request of a known kind with a wrong content gets an
        // answer; anything else is not ours to answer.
        answer.bytes = bytesOf(replyFrame(static_cast<Op>(frame.kind), Reply{Status::Invalid, Ack{}},
                                          frame.sequence));
    } else {
        return;
    }
    pending_.push_back(std::move(answer));
    if (slowMs_ > 0)
        QTimer::singleShot(slowMs_, this, &LinkEndpoint::deliver);
    else
        deliver();
}

// Sends the oldest answer; with a slow terminal each answer has its own timer,
// and timers of equal length fire in the order they were started.
void LinkEndpoint::deliver()
{
    if (pending_.empty())
        return;
    Pending next = std::move(pending_.front());
    pending_.pop_front();
    if (!next.bytes.isEmpty())
        send(next.bytes);
    if (next.close) {
        pending_.clear();
        endLink();
    }
}

}  // namespace tavlo::emulator
