#include "emulator/RecordsFile.h"
#include "emulator/TerminalService.h"
#include "emulator/TerminalState.h"
#include "tests/support/CaseName.h"
#include "tests/support/TempFolder.h"

#include <QFile>
#include <gtest/gtest.h>

#include <vector>

namespace tavlo::emulator {
namespace {

using namespace protocol;
using Action = TerminalService::Action;

class TerminalServiceTest : public testing::Test {
protected:
    TerminalServiceTest()
    {
        TerminalSettings s;
        s.machine = 4;
        s.password = 99;
        state_->changeSettings(s);
        state_->records().append(generateRecords(0, 10));
    }

    TerminalService::Outcome send(Session& session, const Request& request, Faults faults = {})
    {
        TerminalService service(*state_, faults);
        return service.handle(session, request);
    }

    Session linked()
    {
        Session session;
        EXPECT_EQ(send(session, HelloRequest{4, 99}).reply.status, Status::Ok);
        return session;
    }

    // Reads `batches` batches of `size` records and returns how many came.
    std::size_t read(Session& session, bool newOnly, int batches, std::uint16_t size,
                     TerminalService& service)
    {
        service.handle(session, BeginLogReadRequest{newOnly});
        std::size_t got = 0;
        for (int i = 0; i < batches; ++i) {
            const auto out = service.handle(session, NextLogBatchRequest{size});
            if (const auto* b = std::get_if<LogBatchReply>(&out.reply.body))
                got += b->records.size();
        }
        return got;
    }

    test::TempFolder folder_;
    std::unique_ptr<TerminalState> state_ = std::make_unique<TerminalState>(folder_.path());
};

struct HelloCase {
    const char* name;
    HelloRequest hello;
    bool serial;
    bool refuse;
    Status expected;
    friend void PrintTo(const HelloCase& c, std::ostream* os) { *os << c.name; }
};

class Hello : public TerminalServiceTest, public testing::WithParamInterface<HelloCase> {};

TEST_P(Hello, ChecksMachineAndPassword)
{
    Session session;
    session.serial = GetParam().serial;
    Faults faults;
    faults.refuse = GetParam().refuse;
    EXPECT_EQ(send(session, GetParam().hello, faults).reply.status, GetParam().expected);
    EXPECT_EQ(session.linked, GetParam().expected == Status::Ok);
    // Nothing else is answered on a link that was refused.
    if (!session.linked) {
        EXPECT_EQ(send(session, GetStatusRequest{8}).reply.status, Status::Refused);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Hello,
    testing::Values(HelloCase{"Right", {4, 99}, false, false, Status::Ok},
                    HelloCase{"WrongPassword", {4, 98}, false, false, Status::Refused},
                    HelloCase{"WrongMachine", {5, 99}, false, false, Status::Refused},
                    HelloCase{"SerialNeedsNoPassword", {4, 0}, true, false, Status::Ok},
                    HelloCase{"SerialWrongMachine", {5, 0}, true, false, Status::Refused},
                    HelloCase{"RefusingTerminal", {4, 99}, false, true, Status::Refused}),
    tavlo::test::CaseName{});

TEST_F(TerminalServiceTest, ByeConfirmsWhatWasSentAndTakenNoMore)
{
    TerminalService service(*state_, {});
    Session session = linked();
    EXPECT_EQ(read(session, true, 1, 4, service), 4u);
    // The PC claims more than it was sent: only what was sent counts.
    const auto out = service.handle(session, ByeRequest{100});
    EXPECT_EQ(out.action, Action::ReplyAndClose);
    EXPECT_EQ(state_->confirmed(), 4u);

    session = linked();
    EXPECT_EQ(read(session, true, 2, 4, service), 6u);  // records 5 to 10
    service.handle(session, ByeRequest{2});             // the PC kept two of them
    EXPECT_EQ(state_->confirmed(), 6u);
    EXPECT_EQ(state_->unconfirmed(), 4u);
}

struct ConfirmLogCase {
    const char* name;
    std::uint32_t markBefore;
    ConfirmLogRequest request;
    std::uint32_t markAfter;
    friend void PrintTo(const ConfirmLogCase& c, std::ostream* os) { *os << c.name; }
};

class ConfirmLog : public TerminalServiceTest, public testing::WithParamInterface<ConfirmLogCase> {};

// A confirmation names its records by their place in the log, so sending it
// again, or after the records were confirmed another way, changes nothing.
TEST_P(ConfirmLog, MovesTheMarkOnlyFromWithinItsRange)
{
    const ConfirmLogCase& c = GetParam();
    state_->confirmUpTo(c.markBefore);
    Session session = linked();
    const auto out = send(session, c.request);
    EXPECT_EQ(out.action, Action::Reply);
    ASSERT_EQ(out.reply.status, Status::Ok);
    EXPECT_EQ(std::get<StatusReply>(out.reply.body).value, static_cast<std::int32_t>(c.markAfter));
    EXPECT_EQ(state_->confirmed(), c.markAfter);
    EXPECT_TRUE(session.linked) << "the link stays open for the read that follows";
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ConfirmLog,
    testing::Values(ConfirmLogCase{"AtTheStart", 4, {4, 3}, 7},
                    ConfirmLogCase{"PartOfTheRangeConfirmedAlready", 5, {4, 3}, 7},
                    ConfirmLogCase{"AlreadyPassed", 8, {4, 3}, 8},
                    ConfirmLogCase{"AtItsEnd", 7, {4, 3}, 7},
                    ConfirmLogCase{"MarkBeforeTheRange", 2, {4, 3}, 2},
                    ConfirmLogCase{"BeyondTheLog", 9, {9, 5}, 10},
                    ConfirmLogCase{"NoRecords", 3, {3, 0}, 3},
                    ConfirmLogCase{"RangeEndPastTheLargestPosition", 6, {4000000000u, 4000000000u}, 6}),
    tavlo::test::CaseName{});

TEST_F(TerminalServiceTest, AConfirmationAfterTheLogWasClearedMovesNothing)
{
    state_->confirmUpTo(4);
    TerminalService service(*state_, {});
    Session session = linked();
    service.handle(session, ClearLogsRequest{});
    state_->records().append(generateRecords(0, 8));
    service.handle(session, ConfirmLogRequest{4, 3});
    EXPECT_EQ(state_->confirmed(), 0u) << "the records now at 4 to 6 were never read";
}

Faults lose()
{
    Faults f;
    f.loseConfirmation = true;
    return f;
}

Faults hold()
{
    Faults f;
    f.holdConfirmation = true;
    return f;
}

TEST_F(TerminalServiceTest, RefusesTheOperationsMadeToFailAndNothingElse)
{
    Faults faults;
    faults.failing = {{Op::SetClock, 0}, {Op::ClearLogs, 0}};
    TerminalService service(*state_, faults);
    Session session = linked();
    EXPECT_EQ(service.handle(session, SetClockRequest{{2026, 1, 2, 3, 4, 5}}).reply.status, Status::Refused);
    EXPECT_EQ(service.handle(session, ClearLogsRequest{}).reply.status, Status::Refused);
    EXPECT_EQ(state_->records().count(), 10u) << "a refused clear clears nothing";
    EXPECT_EQ(service.handle(session, GetStatusRequest{8}).reply.status, Status::Ok);
    EXPECT_TRUE(session.linked);
    EXPECT_EQ(operationNamed("SetPrivilege"), Op::SetPrivilege);
    EXPECT_FALSE(operationNamed("setprivilege").has_value());
}

TEST_F(TerminalServiceTest, AnOperationMadeToFailAfterKRequestsDoesTheFirstKOfEachLink)
{
    for (std::int32_t user : {1, 2, 3})
        state_->enrolments().put({user, 0}, StoredEnrolment{3, 1, 0, {}});
    Faults faults;
    faults.failing = {{Op::SetPrivilege, 2}};
    TerminalService service(*state_, faults);
    const auto lower = [&](Session& session, std::int32_t user) {
        return service.handle(session, SetPrivilegeRequest{{user, 4, 0}, 0}).reply.status;
    };
    Session session = linked();
    EXPECT_EQ(lower(session, 1), Status::Ok);
    EXPECT_EQ(lower(session, 2), Status::Ok);
    EXPECT_EQ(lower(session, 3), Status::Refused);
    EXPECT_EQ(state_->enrolments().find({3, 0})->privilege, 3);
    EXPECT_EQ(service.handle(session, GetStatusRequest{1}).reply.status, Status::Ok) << "other operations go on";

    Session next = linked();
    EXPECT_EQ(lower(next, 3), Status::Ok) << "the count is per link";
    EXPECT_EQ(state_->enrolments().find({3, 0})->privilege, 0);
}

// The user list is read in batches while the PC changes what it has read:
// every entry comes exactly once, in order, whatever changes under the
// walk, also when another link adds and removes users meanwhile.
TEST_F(TerminalServiceTest, AUserListIsWalkedWhilePrivilegesChangeUnderIt)
{
    using Key = EnrolmentTable::Key;
    for (const Key& key : {Key{1, 0}, Key{1, 1}, Key{2, 0}, Key{2, 10}, Key{2, 11}, Key{5, 0}, Key{6, 3}})
        state_->enrolments().put(key, StoredEnrolment{key.first % 4, 1, 0, {}});
    TerminalService service(*state_, {});
    Session walker = linked();
    Session other = linked();
    ASSERT_EQ(service.handle(walker, BeginUserReadRequest{}).reply,
              (Reply{Status::Ok, BeginUserReadReply{7}}));

    std::vector<Key> walked;
    for (int batch = 0; batch < 10; ++batch) {
        const auto out = service.handle(walker, NextUserBatchRequest{2});
        const auto* entries = std::get_if<UserBatchReply>(&out.reply.body);
        ASSERT_NE(entries, nullptr);
        if (entries->entries.empty())
            break;
        for (const UserEntry& e : entries->entries) {
            walked.push_back({e.user, e.number});
            ASSERT_EQ(service.handle(walker, SetPrivilegeRequest{{e.user, 4, e.number}, 0}).reply.status,
                      Status::Ok);
        }
        if (batch == 1) {
            // Behind the walk and ahead of it.
            service.handle(other, WriteEnrolmentRequest{{1, 4, 5}, 3, {}, 0});
            service.handle(other, DeleteEnrolmentRequest{{5, 4, 12}});
            service.handle(other, WriteEnrolmentRequest{{7, 4, 0}, 2, {}, 0});
        }
    }
    EXPECT_EQ(walked, (std::vector<Key>{{1, 0}, {1, 1}, {2, 0}, {2, 10}, {2, 11}, {6, 3}, {7, 0}}));
    for (const Key& key : walked)
        EXPECT_EQ(state_->enrolments().find(key)->privilege, 0) << key.first << "-" << key.second;
    EXPECT_EQ(state_->enrolments().find({1, 5})->privilege, 3) << "added behind the walk";
}

struct LostCase {
    const char* name;
    Faults faults;
    Action action;
    friend void PrintTo(const LostCase& c, std::ostream* os) { *os << c.name; }
};

class LostConfirmation : public TerminalServiceTest, public testing::WithParamInterface<LostCase> {};

TEST_P(LostConfirmation, LeavesTheMarkAndSendsNoAnswer)
{
    TerminalService service(*state_, GetParam().faults);
    Session session = linked();
    EXPECT_EQ(read(session, true, 1, 4, service), 4u);
    const auto out = service.handle(session, ByeRequest{4});
    EXPECT_EQ(out.action, GetParam().action);
    EXPECT_EQ(state_->confirmed(), 0u);
    // A confirmation of the range on a later link still arrives.
    session = linked();
    service.handle(session, ConfirmLogRequest{0, 4});
    EXPECT_EQ(state_->confirmed(), 4u);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, LostConfirmation,
    testing::Values(LostCase{"LinkCloses", lose(), Action::Close},
                    LostCase{"LinkStaysSilent", hold(), Action::Ignore}),
    tavlo::test::CaseName{});

TEST_F(TerminalServiceTest, AReadOfAllRecordsNeverMovesTheMarkBack)
{
    state_->confirmUpTo(8);
    TerminalService service(*state_, {});
    Session session = linked();
    EXPECT_EQ(read(session, false, 1, 3, service), 3u);
    service.handle(session, ByeRequest{3});
    EXPECT_EQ(state_->confirmed(), 8u);
}

TEST_F(TerminalServiceTest, ALinkThatEndsWithoutByeConfirmsNothing)
{
    TerminalService service(*state_, {});
    Session session = linked();
    EXPECT_EQ(read(session, true, 5, 1000, service), 10u);
    session = linked();  // a new link on the same line
    service.handle(session, ByeRequest{10});
    EXPECT_EQ(state_->confirmed(), 0u);
}

TEST_F(TerminalServiceTest, ClearingTheLogVoidsTheReadInProgress)
{
    TerminalService service(*state_, {});
    Session session = linked();
    EXPECT_EQ(read(session, true, 1, 5, service), 5u);
    EXPECT_EQ(service.handle(session, ClearLogsRequest{}).reply.status, Status::Ok);
    state_->records().append(generateRecords(0, 3));
    service.handle(session, ByeRequest{5});
    EXPECT_EQ(state_->confirmed(), 0u);
    EXPECT_EQ(state_->records().count(), 3u);
}

TEST_F(TerminalServiceTest, DropAfterEndsTheLinkOnceItsRecordsAreOut)
{
    Faults faults;
    faults.dropAfter = 3;
    TerminalService service(*state_, faults);
    Session session = linked();
    service.handle(session, BeginLogReadRequest{true});
    const auto first = service.handle(session, NextLogBatchRequest{1000});
    ASSERT_EQ(std::get<LogBatchReply>(first.reply.body).records.size(), 3u);
    EXPECT_EQ(service.handle(session, NextLogBatchRequest{1000}).action, Action::Close);
}

TEST_F(TerminalServiceTest, StallAfterStopsAnsweringAnything)
{
    Faults faults;
    faults.stallAfter = 2;
    TerminalService service(*state_, faults);
    Session session = linked();
    service.handle(session, BeginLogReadRequest{true});
    EXPECT_EQ(std::get<LogBatchReply>(service.handle(session, NextLogBatchRequest{9}).reply.body)
                  .records.size(),
              2u);
    EXPECT_EQ(service.handle(session, NextLogBatchRequest{9}).action, Action::Ignore);
    EXPECT_EQ(service.handle(session, GetClockRequest{}).action, Action::Ignore);
    EXPECT_EQ(service.handle(session, ByeRequest{2}).action, Action::Ignore);
    EXPECT_EQ(state_->confirmed(), 0u);
    // The next link on the same line starts answering again.
    EXPECT_EQ(service.handle(session, HelloRequest{4, 99}).reply.status, Status::Ok);
    EXPECT_EQ(service.handle(session, GetStatusRequest{8}).reply, (Reply{Status::Ok, StatusReply{10}}));
}

TEST_F(TerminalServiceTest, EnrolmentsAreKeptPerNumberAndDeletedOneOrAll)
{
    TerminalService service(*state_, {});
    Session session = linked();
    EnrolmentWords words{};
    words[0] = INT32_MIN;
    words[353] = INT32_MAX;
    for (std::int32_t n : {0, 1, 11})
        ASSERT_EQ(service.handle(session, WriteEnrolmentRequest{{7, 4, n}, 2, words, 31}).reply.status,
                  Status::Ok);
    EXPECT_EQ(service.handle(session, WriteEnrolmentRequest{{7, 5, 0}, 2, words, 31}).reply.status,
              Status::Invalid)
        << "another terminal's machine number";
    EXPECT_EQ(service.handle(session, WriteEnrolmentRequest{{7, 4, 12}, 2, words, 31}).reply.status,
              Status::Invalid);
    EXPECT_EQ(service.handle(session, WriteEnrolmentRequest{{7, 4, 2}, 4, words, 31}).reply.status,
              Status::Invalid);

    const auto read = service.handle(session, ReadEnrolmentRequest{{7, 4, 1}});
    EXPECT_EQ(read.reply, (Reply{Status::Ok, EnrolmentReply{2, words, 31}}));

    EXPECT_EQ(service.handle(session, DeleteEnrolmentRequest{{7, 4, 1}}).reply.status, Status::Ok);
    EXPECT_EQ(service.handle(session, ReadEnrolmentRequest{{7, 4, 1}}).reply.status, Status::NotFound);
    EXPECT_EQ(state_->enrolments().entries().size(), 2u);
    EXPECT_EQ(service.handle(session, DeleteEnrolmentRequest{{7, 4, 12}}).reply.status, Status::Ok);
    EXPECT_TRUE(state_->enrolments().entries().empty());
    EXPECT_EQ(service.handle(session, DeleteEnrolmentRequest{{7, 4, 12}}).reply.status, Status::NotFound);
}

TEST_F(TerminalServiceTest, EverythingSurvivesARestart)
{
    {
        TerminalService service(*state_, {});
        Session session = linked();
        EnrolmentWords words{};
        words[5] = 55;
        service.handle(session, WriteEnrolmentRequest{{3, 4, 1}, 1, words, 77});
        service.handle(session, SetEnabledRequest{false});
        service.handle(session, SetPrivilegeRequest{{3, 4, 1}, 3});
        service.handle(session, SetClockRequest{{2001, 2, 3, 4, 5, 6}});
        read(session, true, 1, 6, service);
        service.handle(session, ByeRequest{6});
    }
    state_.reset();
    TerminalState again(folder_.path());
    EXPECT_EQ(again.confirmed(), 6u);
    EXPECT_EQ(again.records().count(), 10u);
    EXPECT_FALSE(again.settings().keypadEnabled);
    EXPECT_EQ(again.settings().machine, 4);
    const StoredEnrolment* e = again.enrolments().find({3, 1});
    ASSERT_NE(e, nullptr);
    EXPECT_EQ(e->privilege, 3);
    EXPECT_EQ(e->password, 77);
    EXPECT_EQ(e->data[5], 55);
    EXPECT_LT(again.settings().clockOffset, 0);
}

TEST_F(TerminalServiceTest, ARecordTornByACrashIsNotCounted)
{
    state_.reset();
    {
        QFile file(folder_.file("records.dat"));
        ASSERT_TRUE(file.open(QIODevice::Append));
        file.write("half a record");
    }
    TerminalState again(folder_.path());
    EXPECT_EQ(again.records().count(), 10u);
    again.records().append(generateRecords(10, 1));
    EXPECT_EQ(again.records().read(10, 5), generateRecords(10, 1));
}

}  // namespace
}  // namespace tavlo::emulator
