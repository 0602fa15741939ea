#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <variant>
#include <vector>

// The requests a PC sends to a terminal and the replies it gets, one pair per
// operation code. A terminal serves one link per connection (TCP) or per
// Hello (serial line); every later request belongs to the link that the last
// accepted Hello opened.
namespace tavlo::protocol {

enum class Op : std::uint8_t {
    Hello = 1,
    Bye = 2,
    BeginLogRead = 3,
    NextLogBatch = 4,
    GetStatus = 5,
    SetEnabled = 6,
    BeginUserRead = 7,
    NextUserBatch = 8,
    ReadEnrolment = 9,
    WriteEnrolment = 10,
    DeleteEnrolment = 11,
    ReadEnrolmentRaw = 12,
    WriteEnrolmentRaw = 13,
    GetClock = 14,
    SetClock = 15,
    SetPrivilege = 16,
    ClearLogs = 17,
    ConfirmLog = 18,
};
inline constexpr std::uint8_t kFirstOp = 1;
inline constexpr std::uint8_t kLastOp = 18;

inline constexpr std::size_t kEnrolmentWords = 354;
inline constexpr std::size_t kMaxLogBatch = 1000;
inline constexpr std::size_t kMaxUserBatch = 1000;
inline constexpr std::size_t kMaxTextBytes = 64;

using EnrolmentWords = std::array<std::int32_t, kEnrolmentWords>;

// Identifies one enrolment: the user, the terminal that keeps it (its machine
// number) and the enrolment number (0-9 fingers, 10 password, 11 card).
struct EnrolmentKey {
    std::int32_t user = 0;
    std::int32_t machine = 0;
    std::int32_t number = 0;
    friend bool operator==(const EnrolmentKey&, const EnrolmentKey&) = default;
};

// A civil date and time as the terminal's clock shows it. Not checked here:
// a terminal may hold any values, and the program decides what is valid.
struct ClockTime {
    std::int32_t year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
    friend bool operator==(const ClockTime&, const ClockTime&) = default;
};

struct LogRecord {
    std::int32_t user = 0;
    std::int32_t verify = 0;  // how the person was recognised: 1 finger, 2 password, 3 card
    std::int32_t mode = 0;
    ClockTime time;
    friend bool operator==(const LogRecord&, const LogRecord&) = default;
};

struct UserEntry {
    std::int32_t user = 0;
    std::int32_t number = 0;
    std::int32_t privilege = 0;
    std::int32_t enabled = 0;
    friend bool operator==(const UserEntry&, const UserEntry&) = default;
};

// --- requests -------------------------------------------------------------

struct HelloRequest {
    std::int32_t machine = 0;
    std::int32_t password = 0;
    friend bool operator==(const HelloRequest&, const HelloRequest&) = default;
};
// Ends the link. `confirmed` is the number of records of the link's last log
// read that the PC took; the terminal counts exactly those as delivered.
struct ByeRequest {
    std::uint32_t confirmed = 0;
    friend bool operator==(const ByeRequest&, const ByeRequest&) = default;
};
struct BeginLogReadRequest {
    bool newOnly = false;
    friend bool operator==(const BeginLogReadRequest&, const BeginLogReadRequest&) = default;
};
struct NextLogBatchRequest {
    std::uint16_t maxRecords = 0;
    friend bool operator==(const NextLogBatchRequest&, const NextLogBatchRequest&) = default;
};
struct GetStatusRequest {
    std::int32_t index = 0;
    friend bool operator==(const GetStatusRequest&, const GetStatusRequest&) = default;
};
struct SetEnabledRequest {
    bool enabled = false;
    friend bool operator==(const SetEnabledRequest&, const SetEnabledRequest&) = default;
};
struct BeginUserReadRequest {
    friend bool operator==(const BeginUserReadRequest&, const BeginUserReadRequest&) = default;
};
struct NextUserBatchRequest {
    std::uint16_t maxEntries = 0;
    friend bool operator==(const NextUserBatchRequest&, const NextUserBatchRequest&) = default;
};
struct ReadEnrolmentRequest {
    EnrolmentKey key;
    friend bool operator==(const ReadEnrolmentRequest&, const ReadEnrolmentRequest&) = default;
};
struct WriteEnrolmentRequest {
    EnrolmentKey key;
    std::int32_t privilege = 0;
    EnrolmentWords data{};
    std::int32_t password = 0;
    friend bool operator==(const WriteEnrolmentRequest&, const WriteEnrolmentRequest&) = default;
};
// number 12 deletes every enrolment of the user.
struct DeleteEnrolmentRequest {
    EnrolmentKey key;
    friend bool operator==(const DeleteEnrolmentRequest&, const DeleteEnrolmentRequest&) = default;
};
// The raw operations reach an enrolment's attributes without its data.
struct ReadEnrolmentRawRequest {
    std::int32_t user = 0;
    std::int32_t number = 0;
    friend bool operator==(const ReadEnrolmentRawRequest&, const ReadEnrolmentRawRequest&) = default;
};
struct WriteEnrolmentRawRequest {
    std::int32_t user = 0;
    std::int32_t number = 0;
    std::int32_t privilege = 0;
    std::int32_t enabled = 0;
    std::int32_t password = 0;
    friend bool operator==(const WriteEnrolmentRawRequest&, const WriteEnrolmentRawRequest&) = default;
};
struct GetClockRequest {
    friend bool operator==(const GetClockRequest&, const GetClockRequest&) = default;
};
struct SetClockRequest {
    ClockTime time;
    friend bool operator==(const SetClockRequest&, const SetClockRequest&) = default;
};
struct SetPrivilegeRequest {
    EnrolmentKey key;
    std::int32_t privilege = 0;
    friend bool operator==(const SetPrivilegeRequest&, const SetPrivilegeRequest&) = default;
};
struct ClearLogsRequest {
    friend bool operator==(const ClearLogsRequest&, const ClearLogsRequest&) = default;
};
// Counts the `count` records from log position `first` on as delivered, on
// a link of its own, whatever read delivered them. The terminal moves its
// mark to first + count when the mark stands within that range, and leaves
// it when it has already passed it or stands before it (the log was emptied
// since), so that a confirmation sent twice does no harm. The reply (a
// StatusReply) carries the mark afterwards.
struct ConfirmLogRequest {
    std::uint32_t first = 0;
    std::uint32_t count = 0;
    friend bool operator==(const ConfirmLogRequest&, const ConfirmLogRequest&) = default;
};

// In operation-code order: the alternative's index plus one is its Op.
using Request = std::variant<HelloRequest, ByeRequest, BeginLogReadRequest, NextLogBatchRequest,
                             GetStatusRequest, SetEnabledRequest, BeginUserReadRequest,
                             NextUserBatchRequest, ReadEnrolmentRequest, WriteEnrolmentRequest,
                             DeleteEnrolmentRequest, ReadEnrolmentRawRequest,
                             WriteEnrolmentRawRequest, GetClockRequest, SetClockRequest,
                             SetPrivilegeRequest, ClearLogsRequest, ConfirmLogRequest>;

// --- replies --------------------------------------------------------------

enum class Status : std::uint8_t {
    Ok = 0,
    Refused = 1,    // wrong machine number or password, or the terminal takes no link
    NotFound = 2,   // no such user, enrolment or status value
    Invalid = 3,    // a value out of range, or a request out of order
};
inline constexpr std::uint8_t kLastStatus = 3;

struct Ack {
    friend bool operator==(const Ack&, const Ack&) = default;
};
struct HelloReply {
    std::int32_t machine = 0;
    std::string name;  // the terminal's own description, wire text (UTF-8)
    friend bool operator==(const HelloReply&, const HelloReply&) = default;
};
struct BeginLogReadReply {
    std::uint32_t first = 0;  // index of the first record this read delivers
    std::uint32_t count = 0;  // records it will deliver
    friend bool operator==(const BeginLogReadReply&, const BeginLogReadReply&) = default;
};
// An empty batch ends the read.
struct LogBatchReply {
    std::vector<LogRecord> records;
    friend bool operator==(const LogBatchReply&, const LogBatchReply&) = default;
};
struct StatusReply {
    std::int32_t value = 0;
    friend bool operator==(const StatusReply&, const StatusReply&) = default;
};
struct BeginUserReadReply {
    std::uint32_t count = 0;
    friend bool operator==(const BeginUserReadReply&, const BeginUserReadReply&) = default;
};
struct UserBatchReply {
    std::vector<UserEntry> entries;
    friend bool operator==(const UserBatchReply&, const UserBatchReply&) = default;
};
struct EnrolmentReply {
    std::int32_t privilege = 0;
    EnrolmentWords data{};
    std::int32_t password = 0;
    friend bool operator==(const EnrolmentReply&, const EnrolmentReply&) = default;
};
struct EnrolmentRawReply {
    std::int32_t privilege = 0;
    std::int32_t enabled = 0;
    std::int32_t password = 0;
    friend bool operator==(const EnrolmentRawReply&, const EnrolmentRawReply&) = default;
};
struct ClockReply {
    ClockTime time;
    std::int32_t weekday = 0;  // 1 Monday .. 7 Sunday
    friend bool operator==(const ClockReply&, const ClockReply&) = default;
};

using ReplyBody = std::variant<Ack, HelloReply, BeginLogReadReply, LogBatchReply, StatusReply,
                               BeginUserReadReply, UserBatchReply, EnrolmentReply,
                               EnrolmentRawReply, ClockReply>;

// A reply other than Ok carries no body (its body is Ack).
struct Reply {
    Status status = Status::Ok;
    ReplyBody body;
    friend bool operator==(const Reply&, const Reply&) = default;
};

}  // namespace tavlo::protocol
