#pragma once

#include "sdk/include/sbxpc/SbpcComm.h"
#include "sdk/protocol/FrameReader.h"
#include "sdk/protocol/Messages.h"

#include <cstdint>
#include <deque>
#include <optional>
#include <string>

namespace tavlo::xpc {

// One link to one terminal: the operations of the driver as exchanges of the
// wire protocol over a channel. Every exchange waits at most the configured
// reply time; a terminal that does not answer in time, answers nonsense or
// goes away ends the link, and the link then confirms nothing.
class TerminalLink {
public:
    TerminalLink() = default;
    ~TerminalLink();
    TerminalLink(const TerminalLink&) = delete;
    TerminalLink& operator=(const TerminalLink&) = delete;

    bool openTcp(std::int32_t machine, const std::string& host, std::int32_t port,
                 std::int32_t password);
    bool openSerial(std::int32_t machine, std::int32_t port, std::int32_t baud);
    // Ends the link, confirming the records its last log read handed out.
    // True when the terminal acknowledged that, false when the answer never
    // came (nothing may then be taken as confirmed) or no link was open.
    bool close();
    // Ends the link, confirming nothing.
    void drop();
    bool isOpen() const { return channel_ != nullptr; }

    bool beginLogRead(std::int32_t machine, bool newOnly);
    std::optional<protocol::LogRecord> nextLogRecord(std::int32_t machine);
    // The last log read ended because the terminal said its log was at an
    // end, not because the link broke.
    bool logReadComplete() const { return logComplete_; }
    // Where in the terminal's log the link's last log read began, and how
    // many of its records were handed out: what `close` would confirm.
    std::uint32_t logReadStart() const { return logFirst_; }
    std::uint32_t logHandedOut() const { return logHandedOut_; }
    // Counts `count` records from log position `first` on as delivered,
    // whatever read delivered them; harmless when they already are. True
    // when the terminal acknowledged.
    bool confirmLog(std::int32_t machine, std::uint32_t first, std::uint32_t count);
    bool beginUserRead(std::int32_t machine);
    std::optional<protocol::UserEntry> nextUserEntry(std::int32_t machine);

    // A single request whose reply carries no more than a status and a body.
    std::optional<protocol::Reply> call(std::int32_t machine, const protocol::Request& request);

    std::int32_t machine() const { return machine_; }

private:
    bool open(sbc_channel* channel, std::int32_t machine, std::int32_t password);
    std::optional<protocol::Reply> exchange(const protocol::Request& request);
    bool linkedTo(std::int32_t machine) const { return isOpen() && machine == machine_; }

    sbc_channel* channel_ = nullptr;
    std::optional<protocol::FrameReader> reader_;
    std::int32_t machine_ = 0;
    std::int32_t replyMs_ = 5000;
    std::uint16_t sequence_ = 0;

    // The log read in progress: records received and not yet handed out.
    bool logReading_ = false;
    bool logExhausted_ = false;
    bool logComplete_ = false;
    std::deque<protocol::LogRecord> logBuffer_;
    std::uint32_t logFirst_ = 0;
    std::uint32_t logHandedOut_ = 0;

    bool userReading_ = false;
    bool usersExhausted_ = false;
    std::deque<protocol::UserEntry> userBuffer_;
};

}  // namespace tavlo::xpc
