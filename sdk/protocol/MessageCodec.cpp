#include "sdk/protocol/MessageCodec.h"

#include "sdk/protocol/WireReader.h"
#include "sdk/protocol/WireWriter.h"


namespace tavlo::protocol {

namespace {

template <class... Ts>
struct Overloaded : Ts... {
    using Ts::operator()...;
};
template <class... Ts>
Overloaded(Ts...) -> Overloaded<Ts...>;

void put(WireWriter& w, const EnrolmentKey& k)
{
    w.i32(k.user);
    w.i32(k.machine);
    w.i32(k.number);
}
EnrolmentKey getKey(WireReader& r)
{
    EnrolmentKey k;
    k.user = r.i32();
    k.machine = r.i32();
    k.number = r.i32();
    return k;
}

void put(WireWriter& w, const ClockTime& t)
{
    for (std::int32_t v : {t.year, t.month, t.day, t.hour, t.minute, t.second})
        w.i32(v);
}
ClockTime getTime(WireReader& r)
{
    ClockTime t;
    t.year = r.i32();
    t.month = r.i32();
    t.day = r.i32();
    t.hour = r.i32();
    t.minute = r.i32();
    t.second = r.i32();
    return t;
}

void put(WireWriter& w, const EnrolmentWords& data)
{
    for (std::int32_t v : data)
        w.i32(v);
}
EnrolmentWords getWords(WireReader& r)
{
    EnrolmentWords data{};
    if (r.remaining() < data.size() * 4) {
        r.fail();
        return data;
    }
    for (auto& v : data)
        v = r.i32();
    return data;
}

// Reads a count and refuses it before anything is allocated when it is above
// its bound or more than the payload can hold.
std::size_t getCount(WireReader& r, std::size_t bound, std::size_t itemSize)
{
    const std::size_t n = r.u16();
    if (n > bound || n * itemSize > r.remaining()) {
        r.fail();
        return 0;
    }
    return n;
}

template <std::size_t I = 0>
std::optional<Request> makeRequestAt(std::size_t index)
{
    if constexpr (I < std::variant_size_v<Request>) {
        if (I == index)
            return Request{std::in_place_index<I>};
        return makeRequestAt<I + 1>(index);
    } else {
        return std::nullopt;
    }
}

}  // namespace

Op opOf(const Request& request)
{
    return static_cast<Op>(request.index() + kFirstOp);
}

bool isOp(std::uint8_t code)
{
    return code >= kFirstOp && code <= kLastOp;
}

std::vector<std::uint8_t> encodeRequest(const Request& request)
{
    WireWriter w;
    std::visit(Overloaded{
        [&](const HelloRequest& m) { w.i32(m.machine); w.i32(m.password); },
        [&](const ByeRequest& m) { w.u32(m.confirmed); },
        [&](const BeginLogReadRequest& m) { w.boolean(m.newOnly); },
        [&](const NextLogBatchRequest& m) { w.u16(m.maxRecords); },
        [&](const GetStatusRequest& m) { w.i32(m.index); },
        [&](const SetEnabledRequest& m) { w.boolean(m.enabled); },
        [&](const BeginUserReadRequest&) {},
        [&](const NextUserBatchRequest& m) { w.u16(m.maxEntries); },
        [&](const ReadEnrolmentRequest& m) { put(w, m.key); },
        [&](const WriteEnrolmentRequest& m) {
            put(w, m.key);
            w.i32(m.privilege);
            put(w, m.data);
            w.i32(m.password);
        },
        [&](const DeleteEnrolmentRequest& m) { put(w, m.key); },
        [&](const ReadEnrolmentRawRequest& m) { w.i32(m.user); w.i32(m.number); },
        [&](const WriteEnrolmentRawRequest& m) {
            w.i32(m.user);
            w.i32(m.number);
            w.i32(m.privilege);
            w.i32(m.enabled);
            w.i32(m.password);
        },
        [&](const GetClockRequest&) {},
        [&](const SetClockRequest& m) { put(w, m.time); },
        [&](const SetPrivilegeRequest& m) { put(w, m.key); w.i32(m.privilege); },
        [&](const ClearLogsRequest&) {},
        [&](const ConfirmLogRequest& m) { w.u32(m.first); w.u32(m.count); },
    }, request);
    return w.take();
}

std::optional<Request> decodeRequest(std::uint8_t kind, std::span<const std::uint8_t> payload)
{
    if (!isOp(kind))
        return std::nullopt;
    std::optional<Request> request = makeRequestAt(kind - kFirstOp);
    if (!request)
        return std::nullopt;
    WireReader r(payload);
    std::visit(Overloaded{
        [&](HelloRequest& m) { m.machine = r.i32(); m.password = r.i32(); },
        [&](ByeRequest& m) { m.confirmed = r.u32(); },
        [&](BeginLogReadRequest& m) { m.newOnly = r.boolean(); },
        [&](NextLogBatchRequest& m) { m.maxRecords = r.u16(); },
        [&](GetStatusRequest& m) { m.index = r.i32(); },
        [&](SetEnabledRequest& m) { m.enabled = r.boolean(); },
        [&](BeginUserReadRequest&) {},
        [&](NextUserBatchRequest& m) { m.maxEntries = r.u16(); },
        [&](ReadEnrolmentRequest& m) { m.key = getKey(r); },
        [&](WriteEnrolmentRequest& m) {
            m.key = getKey(r);
            m.privilege = r.i32();
            m.data = getWords(r);
            m.password = r.i32();
        },
        [&](DeleteEnrolmentRequest& m) { m.key = getKey(r); },
        [&](ReadEnrolmentRawRequest& m) { m.user = r.i32(); m.number = r.i32(); },
        [&](WriteEnrolmentRawRequest& m) {
            m.user = r.i32();
            m.number = r.i32();
            m.privilege = r.i32();
            m.enabled = r.i32();
            m.password = r.i32();
        },
        [&](GetClockRequest&) {},
        [&](SetClockRequest& m) { m.time = getTime(r); },
        [&](SetPrivilegeRequest& m) { m.key = getKey(r); m.privilege = r.i32(); },
        [&](ClearLogsRequest&) {},
        [&](ConfirmLogRequest& m) { m.first = r.u32(); m.count = r.u32(); },
    }, *request);
    if (!r.complete())
        return std::nullopt;
    return request;
}

ReplyBody emptyBodyFor(Op op)
{
    switch (op) {
    case Op::Hello: return HelloReply{};
    case Op::BeginLogRead: return BeginLogReadReply{};
    case Op::NextLogBatch: return LogBatchReply{};
    case Op::GetStatus:
    case Op::ConfirmLog: return StatusReply{};
    case Op::BeginUserRead: return BeginUserReadReply{};
    case Op::NextUserBatch: return UserBatchReply{};
    case Op::ReadEnrolment: return EnrolmentReply{};
    case Op::ReadEnrolmentRaw: return EnrolmentRawReply{};
    case Op::GetClock: return ClockReply{};
    case Op::Bye:
    case Op::SetEnabled:
    case Op::WriteEnrolment:
    case Op::DeleteEnrolment:
    case Op::WriteEnrolmentRaw:
    case Op::SetClock:
    case Op::SetPrivilege:
    case Op::ClearLogs:
        break;
    }
    return Ack{};
}

std::vector<std::uint8_t> encodeReply(Op op, const Reply& reply)
{
    WireWriter w;
    w.u8(static_cast<std::uint8_t>(reply.status));
    if (reply.status != Status::Ok)
        return w.take();
    // A body that does not belong to `op` is a sender's mistake; it goes out
    // as the empty body of `op` rather than as something the peer cannot read.
    const ReplyBody& body = reply.body.index() == emptyBodyFor(op).index() ? reply.body
                                                                            : emptyBodyFor(op);
    std::visit(Overloaded{
        [&](const Ack&) {},
        [&](const HelloReply& m) {
            w.i32(m.machine);
            const std::size_t n = m.name.size() <= kMaxTextBytes ? m.name.size() : 0;
            w.u8(static_cast<std::uint8_t>(n));
            w.raw(std::span(reinterpret_cast<const std::uint8_t*>(m.name.data()), n));
        },
        [&](const BeginLogReadReply& m) { w.u32(m.first); w.u32(m.count); },
        [&](const LogBatchReply& m) {
            const std::size_t n = m.records.size() <= kMaxLogBatch ? m.records.size() : 0;
            w.u16(static_cast<std::uint16_t>(n));
            for (std::size_t i = 0; i < n; ++i) {
                const LogRecord& rec = m.records[i];
                w.i32(rec.user);
                w.i32(rec.verify);
                w.i32(rec.mode);
                put(w, rec.time);
            }
        },
        [&](const StatusReply& m) { w.i32(m.value); },
        [&](const BeginUserReadReply& m) { w.u32(m.count); },
        [&](const UserBatchReply& m) {
            const std::size_t n = m.entries.size() <= kMaxUserBatch ? m.entries.size() : 0;
            w.u16(static_cast<std::uint16_t>(n));
            for (std::size_t i = 0; i < n; ++i) {
                const UserEntry& e = m.entries[i];
                w.i32(e.user);
                w.i32(e.number);
                w.i32(e.privilege);
                w.i32(e.enabled);
            }
        },
        [&](const EnrolmentReply& m) { w.i32(m.privilege); put(w, m.data); w.i32(m.password); },
        [&](const EnrolmentRawReply& m) { w.i32(m.privilege); w.i32(m.enabled); w.i32(m.password); },
        [&](const ClockReply& m) { put(w, m.time); w.i32(m.weekday); },
    }, body);
    return w.take();
}

std::optional<Reply> decodeReply(Op op, std::span<const std::uint8_t> payload)
{
    WireReader r(payload);
    Reply reply;
    const std::uint8_t status = r.u8();
    if (status > kLastStatus)
        return std::nullopt;
    reply.status = static_cast<Status>(status);
    if (reply.status != Status::Ok)
        return r.complete() ? std::optional(reply) : std::nullopt;

    reply.body = emptyBodyFor(op);
    std::visit(Overloaded{
        [&](Ack&) {},
        [&](HelloReply& m) {
            m.machine = r.i32();
            const std::size_t n = r.u8();
            if (n > kMaxTextBytes) {
                r.fail();
                return;
            }
            const auto text = r.raw(n);
            m.name.assign(text.begin(), text.end());
        },
        [&](BeginLogReadReply& m) { m.first = r.u32(); m.count = r.u32(); },
        [&](LogBatchReply& m) {
            const std::size_t n = getCount(r, kMaxLogBatch, 36);
            m.records.resize(n);
            for (LogRecord& rec : m.records) {
                rec.user = r.i32();
                rec.verify = r.i32();
                rec.mode = r.i32();
                rec.time = getTime(r);
            }
        },
        [&](StatusReply& m) { m.value = r.i32(); },
        [&](BeginUserReadReply& m) { m.count = r.u32(); },
        [&](UserBatchReply& m) {
            const std::size_t n = getCount(r, kMaxUserBatch, 16);
            m.entries.resize(n);
            for (UserEntry& e : m.entries) {
                e.user = r.i32();
                e.number = r.i32();
                e.privilege = r.i32();
                e.enabled = r.i32();
            }
        },
        [&](EnrolmentReply& m) { m.privilege = r.i32(); m.data = getWords(r); m.password = r.i32(); },
        [&](EnrolmentRawReply& m) { m.privilege = r.i32(); m.enabled = r.i32(); m.password = r.i32(); },
        [&](ClockReply& m) { m.time = getTime(r); m.weekday = r.i32(); },
    }, reply.body);
    if (!r.complete())
        return std::nullopt;
    return reply;
}

Frame requestFrame(const Request& request, std::uint16_t sequence)
{
    return Frame{static_cast<std::uint8_t>(opOf(request)), sequence, encodeRequest(request)};
}

Frame replyFrame(Op op, const Reply& reply, std::uint16_t sequence)
{
    return Frame{static_cast<std::uint8_t>(static_cast<std::uint8_t>(op) | kReplyFlag), sequence,
                 encodeReply(op, reply)};
}

}  // namespace tavlo::protocol
