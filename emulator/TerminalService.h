#pragma once

#include "emulator/Faults.h"
#include "emulator/Session.h"
#include "emulator/TerminalState.h"
#include "sdk/protocol/Messages.h"

#include <QString>

#include <functional>

namespace tavlo::emulator {

// The terminal's answers to the PC's requests, free of sockets and timers:
// a request and the link's session in, what to send back out.
class TerminalService {
public:
    enum class Action {
        Reply,           // send the reply
        ReplyAndClose,   // send the reply, then end the link
        Close,           // end the link at once, sending nothing
        Ignore,          // send nothing and keep the link
    };
    struct Outcome {
        Action action = Action::Reply;
        protocol::Reply reply;
    };

    TerminalService(TerminalState& state, Faults faults, std::function<void(const QString&)> log = {});

    Outcome handle(Session& session, const protocol::Request& request);

    static constexpr std::int32_t kDeleteAllEnrolments = 12;

private:
    Outcome hello(Session& session, const protocol::HelloRequest& m);
    Outcome bye(Session& session, const protocol::ByeRequest& m);
    Outcome confirmLog(const protocol::ConfirmLogRequest& m);
    Outcome logBatch(Session& session, const protocol::NextLogBatchRequest& m);
    Outcome userBatch(Session& session, const protocol::NextUserBatchRequest& m);
    bool ownKey(const protocol::EnrolmentKey& key) const;
    void note(const QString& text) const;

    TerminalState& state_;
    Faults faults_;
    std::function<void(const QString&)> log_;
    std::uint64_t generation_ = 1;
};

}  // namespace tavlo::emulator
