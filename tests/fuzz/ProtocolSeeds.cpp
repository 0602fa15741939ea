#include "tests/fuzz/ProtocolSeeds.h"

namespace tavlo::fuzz {

using namespace protocol;

std::vector<Request> sampleRequests()
{
    EnrolmentWords words{};
    words[0] = -1;
    words[353] = 353;
    return {HelloRequest{1, 4321}, ByeRequest{12}, BeginLogReadRequest{true}, NextLogBatchRequest{1000},
            GetStatusRequest{6}, SetEnabledRequest{false}, BeginUserReadRequest{},
            NextUserBatchRequest{16}, ReadEnrolmentRequest{{7, 1, 0}},
            WriteEnrolmentRequest{{7, 1, 0}, 3, words, 99}, DeleteEnrolmentRequest{{7, 1, 12}},
            ReadEnrolmentRawRequest{3, 1}, WriteEnrolmentRawRequest{3, 1, 1, 1, 5}, GetClockRequest{},
            SetClockRequest{{2026, 12, 11, 9, 30, 0}}, SetPrivilegeRequest{{7, 1, 0}, 0}, ClearLogsRequest{}};
}

std::vector<std::pair<Op, Reply>> sampleReplies()
{
    EnrolmentWords words{};
    words[1] = INT32_MIN;
    std::vector<LogRecord> records(3, LogRecord{5, 1, 0, {2024, 1, 2, 3, 4, 5}});
    return {{Op::Hello, {Status::Ok, HelloReply{1, "Tavlo"}}},
            {Op::Hello, {Status::Refused, Ack{}}},
            {Op::Bye, {Status::Ok, Ack{}}},
            {Op::BeginLogRead, {Status::Ok, BeginLogReadReply{2, 3}}},
            {Op::NextLogBatch, {Status::Ok, LogBatchReply{records}}},
            {Op::GetStatus, {Status::Ok, StatusReply{8}}},
            {Op::BeginUserRead, {Status::Ok, BeginUserReadReply{2}}},
            {Op::NextUserBatch, {Status::Ok, UserBatchReply{{{1, 0, 3, 1}, {2, 11, 0, 0}}}}},
            {Op::ReadEnrolment, {Status::Ok, EnrolmentReply{1, words, 2}}},
            {Op::ReadEnrolmentRaw, {Status::Ok, EnrolmentRawReply{1, 1, 2}}},
            {Op::GetClock, {Status::Ok, ClockReply{{2026, 1, 1, 0, 0, 0}, 4}}},
            {Op::ClearLogs, {Status::NotFound, Ack{}}}};
}

}  // namespace tavlo::fuzz
