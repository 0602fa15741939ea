#include "sdk/xpcdll/TerminalLink.h"

#include "sdk/include/sbxpc/GenFont.h"
#include "sdk/protocol/MessageCodec.h"

#include <chrono>
#include <vector>

namespace tavlo::xpc {

using namespace protocol;

namespace {

// Records and entries asked for at once. A serial line carries less per
// answer so that one answer never comes near the reply time at 9600 baud.
constexpr std::uint16_t kTcpBatch = kMaxLogBatch;
constexpr std::uint16_t kSerialBatch = 16;

}  // namespace

TerminalLink::~TerminalLink()
{
    drop();
}

bool TerminalLink::openTcp(std::int32_t machine, const std::string& host, std::int32_t port,
                           std::int32_t password)
{
    drop();
    sbc_timeouts timeouts{};
    sbc_read_timeouts(&timeouts);
    replyMs_ = timeouts.reply_ms;
    sbc_channel* channel = sbc_open_tcp(host.c_str(), port, timeouts.connect_ms);
    return channel && open(channel, machine, password);
}

bool TerminalLink::openSerial(std::int32_t machine, std::int32_t port, std::int32_t baud)
{
    drop();
    sbc_timeouts timeouts{};
    sbc_read_timeouts(&timeouts);
    replyMs_ = timeouts.reply_ms;
    sbc_channel* channel = sbc_open_serial(port, baud);
    return channel && open(channel, machine, 0);
}

bool TerminalLink::open(sbc_channel* channel, std::int32_t machine, std::int32_t password)
{
    channel_ = channel;
    reader_.emplace(sbc_is_serial(channel) ? FrameReader::Mode::Resync : FrameReader::Mode::Strict);
    machine_ = machine;
    // A serial link has no password: whoever holds the cable holds the
    // terminal, as with the maker's own terminals.
    const std::optional<Reply> reply = exchange(HelloRequest{machine, sbc_is_serial(channel) ? 0 : password});
    const auto* hello = reply ? std::get_if<HelloReply>(&reply->body) : nullptr;
    if (!reply || reply->status != Status::Ok || !hello || hello->machine != machine
        || !gf_wire_is_valid(hello->name.data(), hello->name.size())) {
        drop();
        return false;
    }
    return true;
}

bool TerminalLink::close()
{
    if (!isOpen())
        return false;
    const std::optional<Reply> reply = exchange(ByeRequest{logReading_ ? logHandedOut_ : 0});
    drop();
    return reply && reply->status == Status::Ok;
}

bool TerminalLink::confirmLog(std::int32_t machine, std::uint32_t first, std::uint32_t count)
{
    const std::optional<Reply> reply = call(machine, ConfirmLogRequest{first, count});
    return reply && reply->status == Status::Ok && std::holds_alternative<StatusReply>(reply->body);
}

void TerminalLink::drop()
{
    if (channel_)
        sbc_close(channel_);
    channel_ = nullptr;
    reader_.reset();
    logReading_ = false;
    logExhausted_ = false;
    logBuffer_.clear();
    logFirst_ = 0;
    logHandedOut_ = 0;
    userReading_ = false;
    usersExhausted_ = false;
    userBuffer_.clear();
}

std::optional<Reply> TerminalLink::exchange(const Request& request)
{
    if (!isOpen())
        return std::nullopt;
    const Op op = opOf(request);
    const std::uint16_t sequence = ++sequence_;
    const std::vector<std::uint8_t> bytes = encodeFrame(requestFrame(request, sequence));
    if (sbc_send(channel_, bytes.data(), bytes.size(), replyMs_) != 0) {
        drop();
        return std::nullopt;
    }
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(replyMs_);
    std::vector<std::uint8_t> buffer(16 * 1024);
    std::size_t have = 0;
    std::size_t used = 0;
    for (;;) {
        const std::size_t fed = used < have ? reader_->feed(std::span(buffer.data() + used, have - used)) : 0;
        used += fed;
        Frame frame;
        const FrameReader::Result result = reader_->next(frame);
        if (result == FrameReader::Result::Broken)
            break;
        if (result == FrameReader::Result::Frame) {
            // Answers to earlier, abandoned requests are passed over.
            if (frame.kind != (static_cast<std::uint8_t>(op) | kReplyFlag) || frame.sequence != sequence)
                continue;
            std::optional<Reply> reply = decodeReply(op, frame.payload);
            if (!reply)
                break;
            return reply;
        }
        if (used < have) {
            if (fed == 0)
                break;  // cannot happen: an incomplete frame always leaves room
            continue;
        }
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0)
            break;
        const long n = sbc_receive(channel_, buffer.data(), buffer.size(),
                                   static_cast<std::int32_t>(left.count()));
        if (n < 0)
            break;
        have = static_cast<std::size_t>(n);
        used = 0;
    }
    drop();
    return std::nullopt;
}

std::optional<Reply> TerminalLink::call(std::int32_t machine, const Request& request)
{
    if (!linkedTo(machine))
        return std::nullopt;
    return exchange(request);
}

bool TerminalLink::beginLogRead(std::int32_t machine, bool newOnly)
{
    const std::optional<Reply> reply = call(machine, BeginLogReadRequest{newOnly});
    logBuffer_.clear();
    logHandedOut_ = 0;
    logReading_ = reply && reply->status == Status::Ok;
    const auto* begun = logReading_ ? std::get_if<BeginLogReadReply>(&reply->body) : nullptr;
    logFirst_ = begun ? begun->first : 0;
    logExhausted_ = false;
    logComplete_ = false;
    return logReading_;
}

std::optional<LogRecord> TerminalLink::nextLogRecord(std::int32_t machine)
{
    if (!linkedTo(machine) || !logReading_)
        return std::nullopt;
    if (logBuffer_.empty() && !logExhausted_) {
        const std::uint16_t batch = sbc_is_serial(channel_) ? kSerialBatch : kTcpBatch;
        const std::optional<Reply> reply = exchange(NextLogBatchRequest{batch});
        const auto* records = reply && reply->status == Status::Ok ? std::get_if<LogBatchReply>(&reply->body)
                                                                  : nullptr;
        if (!records || records->records.empty()) {
            logExhausted_ = true;
            logComplete_ = records != nullptr;
        } else
            logBuffer_.insert(logBuffer_.end(), records->records.begin(), records->records.end());
    }
    if (logBuffer_.empty())
        return std::nullopt;
    const LogRecord record = logBuffer_.front();
    logBuffer_.pop_front();
    ++logHandedOut_;
    return record;
}

bool TerminalLink::beginUserRead(std::int32_t machine)
{
    const std::optional<Reply> reply = call(machine, BeginUserReadRequest{});
    userBuffer_.clear();
    userReading_ = reply && reply->status == Status::Ok;
    usersExhausted_ = false;
    return userReading_;
}

std::optional<UserEntry> TerminalLink::nextUserEntry(std::int32_t machine)
{
    if (!linkedTo(machine) || !userReading_)
        return std::nullopt;
    if (userBuffer_.empty() && !usersExhausted_) {
        const std::uint16_t batch = sbc_is_serial(channel_) ? kSerialBatch : kTcpBatch;
        const std::optional<Reply> reply = exchange(NextUserBatchRequest{batch});
        const auto* entries = reply && reply->status == Status::Ok ? std::get_if<UserBatchReply>(&reply->body)
                                                                  : nullptr;
        if (!entries || entries->entries.empty())
            usersExhausted_ = true;
        else
            userBuffer_.insert(userBuffer_.end(), entries->entries.begin(), entries->entries.end());
    }
    if (userBuffer_.empty())
        return std::nullopt;
    const UserEntry entry = userBuffer_.front();
    userBuffer_.pop_front();
    return entry;
}

}  // namespace tavlo::xpc
