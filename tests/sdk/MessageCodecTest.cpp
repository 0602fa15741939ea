#include "sdk/protocol/MessageCodec.h"
#include "sdk/protocol/WireWriter.h"
#include "tests/support/CaseName.h"

#include <gtest/gtest.h>

namespace tavlo::protocol {
namespace {

using Bytes = std::vector<std::uint8_t>;

EnrolmentWords sampleWords()
{
    EnrolmentWords words{};
    for (std::size_t i = 0; i < words.size(); ++i)
        words[i] = static_cast<std::int32_t>(i * 7919) - 1000000 * (i % 3 == 0 ? 1 : -1);
    words[0] = INT32_MIN;
    words[353] = INT32_MAX;
    return words;
}

struct RequestCase {
    const char* name;
    Request request;
    friend void PrintTo(const RequestCase& c, std::ostream* os) { *os << c.name; }
};

class RequestRoundTrip : public testing::TestWithParam<RequestCase> {};

TEST_P(RequestRoundTrip, DecodesToWhatWasEncoded)
{
    const Frame frame = requestFrame(GetParam().request, 42);
    const auto decoded = decodeRequest(frame.kind, frame.payload);
    ASSERT_TRUE(decoded.has_value());
    EXPECT_EQ(*decoded, GetParam().request);
}

TEST_P(RequestRoundTrip, RefusesAPayloadOneByteShortOrLong)
{
    const Frame frame = requestFrame(GetParam().request, 42);
    Bytes longer = frame.payload;
    longer.push_back(0);
    EXPECT_FALSE(decodeRequest(frame.kind, longer).has_value());
    if (!frame.payload.empty()) {
        const Bytes shorter(frame.payload.begin(), frame.payload.end() - 1);
        EXPECT_FALSE(decodeRequest(frame.kind, shorter).has_value());
    }
}

INSTANTIATE_TEST_SUITE_P(
    AllOperations, RequestRoundTrip,
    testing::Values(
        RequestCase{"Hello", HelloRequest{-5, 123456}},
        RequestCase{"Bye", ByeRequest{800000}},
        RequestCase{"BeginLogReadNew", BeginLogReadRequest{true}},
        RequestCase{"BeginLogReadAll", BeginLogReadRequest{false}},
        RequestCase{"NextLogBatch", NextLogBatchRequest{1000}},
        RequestCase{"GetStatus", GetStatusRequest{8}},
        RequestCase{"SetEnabled", SetEnabledRequest{true}},
        RequestCase{"BeginUserRead", BeginUserReadRequest{}},
        RequestCase{"NextUserBatch", NextUserBatchRequest{17}},
        RequestCase{"ReadEnrolment", ReadEnrolmentRequest{{12, 1, 3}}},
        RequestCase{"WriteEnrolment", WriteEnrolmentRequest{{12, 1, 3}, 2, sampleWords(), -77}},
        RequestCase{"DeleteEnrolment", DeleteEnrolmentRequest{{12, 1, 12}}},
        RequestCase{"ReadEnrolmentRaw", ReadEnrolmentRawRequest{3, 1}},
        RequestCase{"WriteEnrolmentRaw", WriteEnrolmentRawRequest{3, 1, 1, 0, 4321}},
        RequestCase{"GetClock", GetClockRequest{}},
        RequestCase{"SetClock", SetClockRequest{{1950, 13, 32, 24, 60, 61}}},
        RequestCase{"SetPrivilege", SetPrivilegeRequest{{12, 1, 3}, 0}},
        RequestCase{"ClearLogs", ClearLogsRequest{}},
        RequestCase{"ConfirmLog", ConfirmLogRequest{4000000000u, 1500}}),
    tavlo::test::CaseName{});

struct ReplyCase {
    const char* name;
    Op op;
    Reply reply;
    friend void PrintTo(const ReplyCase& c, std::ostream* os) { *os << c.name; }
};

class ReplyRoundTrip : public testing::TestWithParam<ReplyCase> {};

TEST_P(ReplyRoundTrip, DecodesToWhatWasEncoded)
{
    const Frame frame = replyFrame(GetParam().op, GetParam().reply, 7);
    EXPECT_EQ(frame.kind, static_cast<std::uint8_t>(GetParam().op) | kReplyFlag);
    const auto decoded = decodeReply(GetParam().op, frame.payload);
    ASSERT_TRUE(decoded.has_value());
    EXPECT_EQ(*decoded, GetParam().reply);
}

TEST_P(ReplyRoundTrip, RefusesATrailingByte)
{
    Bytes payload = encodeReply(GetParam().op, GetParam().reply);
    payload.push_back(1);
    EXPECT_FALSE(decodeReply(GetParam().op, payload).has_value());
}

std::vector<LogRecord> manyRecords(std::size_t n)
{
    std::vector<LogRecord> records(n);
    for (std::size_t i = 0; i < n; ++i)
        records[i] = LogRecord{static_cast<std::int32_t>(i), 1, static_cast<std::int32_t>(i % 4),
                               {2024, 2, 29, 23, 59, static_cast<std::int32_t>(i % 61)}};
    return records;
}

INSTANTIATE_TEST_SUITE_P(
    AllOperations, ReplyRoundTrip,
    testing::Values(
        ReplyCase{"HelloOk", Op::Hello, {Status::Ok, HelloReply{3, "Tavlo T-1 öğ"}}},
        ReplyCase{"HelloRefused", Op::Hello, {Status::Refused, Ack{}}},
        ReplyCase{"Bye", Op::Bye, {Status::Ok, Ack{}}},
        ReplyCase{"BeginLogRead", Op::BeginLogRead, {Status::Ok, BeginLogReadReply{10, 799990}}},
        ReplyCase{"FullLogBatch", Op::NextLogBatch, {Status::Ok, LogBatchReply{manyRecords(kMaxLogBatch)}}},
        ReplyCase{"LastLogBatch", Op::NextLogBatch, {Status::Ok, LogBatchReply{}}},
        ReplyCase{"Status", Op::GetStatus, {Status::Ok, StatusReply{-1}}},
        ReplyCase{"StatusNotFound", Op::GetStatus, {Status::NotFound, Ack{}}},
        ReplyCase{"SetEnabled", Op::SetEnabled, {Status::Ok, Ack{}}},
        ReplyCase{"BeginUserRead", Op::BeginUserRead, {Status::Ok, BeginUserReadReply{5}}},
        ReplyCase{"UserBatch", Op::NextUserBatch,
                  {Status::Ok, UserBatchReply{{{1, 0, 3, 1}, {1, 1, 3, 1}, {99, 11, 0, 0}}}}},
        ReplyCase{"ReadEnrolment", Op::ReadEnrolment,
                  {Status::Ok, EnrolmentReply{1, sampleWords(), 5555}}},
        ReplyCase{"WriteEnrolmentInvalid", Op::WriteEnrolment, {Status::Invalid, Ack{}}},
        ReplyCase{"DeleteEnrolment", Op::DeleteEnrolment, {Status::Ok, Ack{}}},
        ReplyCase{"ReadEnrolmentRaw", Op::ReadEnrolmentRaw, {Status::Ok, EnrolmentRawReply{3, 1, 77}}},
        ReplyCase{"WriteEnrolmentRaw", Op::WriteEnrolmentRaw, {Status::Ok, Ack{}}},
        ReplyCase{"GetClock", Op::GetClock, {Status::Ok, ClockReply{{2026, 12, 31, 23, 59, 58}, 4}}},
        ReplyCase{"SetClock", Op::SetClock, {Status::Ok, Ack{}}},
        ReplyCase{"SetPrivilege", Op::SetPrivilege, {Status::Ok, Ack{}}},
        ReplyCase{"ClearLogs", Op::ClearLogs, {Status::Ok, Ack{}}},
        ReplyCase{"ConfirmLog", Op::ConfirmLog, {Status::Ok, StatusReply{1500}}}),
    tavlo::test::CaseName{});

TEST(MessageCodec, AFullLogBatchFitsInOneFrame)
{
    const Frame frame = replyFrame(Op::NextLogBatch,
                                   {Status::Ok, LogBatchReply{manyRecords(kMaxLogBatch)}}, 1);
    EXPECT_LE(frame.payload.size(), kMaxPayload);
    EXPECT_EQ(encodeFrame(frame).size(), kHeaderSize + frame.payload.size() + kChecksumSize);
}

struct BadPayloadCase {
    const char* name;
    Op op;
    Bytes payload;
    friend void PrintTo(const BadPayloadCase& c, std::ostream* os) { *os << c.name; }
};

Bytes countedPayload(std::uint16_t count, std::size_t itemBytes)
{
    WireWriter w;
    w.u8(0);
    w.u16(count);
    w.raw(Bytes(itemBytes, 0));
    return w.take();
}

class BadReply : public testing::TestWithParam<BadPayloadCase> {};

TEST_P(BadReply, IsRefused)
{
    EXPECT_FALSE(decodeReply(GetParam().op, GetParam().payload).has_value());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, BadReply,
    testing::Values(
        BadPayloadCase{"Empty", Op::Bye, {}},
        BadPayloadCase{"UnknownStatus", Op::Bye, {9}},
        BadPayloadCase{"RefusalWithABody", Op::Hello, {1, 0}},
        BadPayloadCase{"TextAboveItsBound", Op::Hello, [] {
            WireWriter w;
            w.u8(0);
            w.i32(1);
            w.u8(kMaxTextBytes + 1);
            w.raw(Bytes(kMaxTextBytes + 1, 'a'));
            return w.take();
        }()},
        BadPayloadCase{"LogCountAboveItsBound", Op::NextLogBatch,
                       countedPayload(kMaxLogBatch + 1, (kMaxLogBatch + 1) * 36)},
        BadPayloadCase{"LogCountAboveThePayload", Op::NextLogBatch, countedPayload(500, 36)},
        BadPayloadCase{"UserCountAboveItsBound", Op::NextUserBatch,
                       countedPayload(kMaxUserBatch + 1, (kMaxUserBatch + 1) * 16)},
        BadPayloadCase{"ShortEnrolment", Op::ReadEnrolment, Bytes(1 + 4 + 353 * 4 + 4, 0)},
        BadPayloadCase{"ShortClock", Op::GetClock, Bytes(1 + 6 * 4, 0)}),
    tavlo::test::CaseName{});

TEST(MessageCodec, RefusesUnknownOperationsAndNonBooleans)
{
    EXPECT_FALSE(decodeRequest(0, {}).has_value());
    EXPECT_FALSE(decodeRequest(kLastOp + 1, {}).has_value());
    EXPECT_FALSE(decodeRequest(static_cast<std::uint8_t>(Op::ClearLogs) | kReplyFlag, {}).has_value());
    const Bytes two{2};
    EXPECT_FALSE(decodeRequest(static_cast<std::uint8_t>(Op::BeginLogRead), two).has_value());
    EXPECT_FALSE(decodeRequest(static_cast<std::uint8_t>(Op::SetEnabled), two).has_value());
}

}  // namespace
}  // namespace tavlo::protocol
