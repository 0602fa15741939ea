#include "admin/AdminRightsRemoval.h"
#include "platform/Error.h"
#include "tests/admin/MaintenanceRig.h"
#include "tests/admin/RaisingControl.h"
#include "tests/support/CaseName.h"

#include <gtest/gtest.h>

namespace tavlo::test {
namespace {

// Three users with six enrolments between them, some already at 0; user 2
// has a card and a password beside a finger.
const QByteArray kUsers = "user\tenrolment\tprivilege\tenabled\tpassword\tdata\n"
                          "1\t0\t3\t1\t0\t5,6,7\n"
                          "1\t1\t0\t1\t0\t8\n"
                          "2\t0\t0\t1\t0\t9\n"
                          "2\t10\t1\t1\t1234\n"
                          "2\t11\t2\t0\t0\n"
                          "3\t0\t3\t1\t0\t-1\n";

std::vector<UserEntry> allAt(const std::vector<UserEntry>& entries, qint32 privilege)
{
    std::vector<UserEntry> changed = entries;
    for (UserEntry& e : changed)
        e.privilege = privilege;
    return changed;
}

const std::vector<UserEntry> kBefore{{1, 0, 3}, {1, 1, 0}, {2, 0, 0}, {2, 10, 1}, {2, 11, 2}, {3, 0, 3}};

struct RemovalCase {
    const char* name;
    QByteArray users;
    QStringList faults;
    qint32 connectionType;
    bool answer;
    std::vector<UserEntry> after;
    QStringList messages;
    friend void PrintTo(const RemovalCase& c, std::ostream* os) { *os << c.name; }
};

class RemovingRights : public testing::TestWithParam<RemovalCase> {};

// One change per entry, whatever the entry holds: with the terminal taking
// only its first K changes per link, exactly the entries after the K-th
// keep their rights, so an entry skipped or changed twice would show.
TEST_P(RemovingRights, SetsEveryEntryToZeroAndSaysHowManyUsersKeptARight)
{
    const RemovalCase& c = GetParam();
    MaintenanceRig rig({}, c.users, c.faults);
    rig.addTerminal(c.connectionType);
    rig.dialogs.nextWarningAnswers = {c.answer};

    AdminRightsRemoval::run(rig.control(), rig.data.CihazTable);

    EXPECT_EQ(rig.dialogs.warnings, QStringList{AdminRightsRemoval::question()});
    EXPECT_EQ(rig.dialogs.messages, c.messages);
    EXPECT_EQ(rig.fetchUsers(), c.after);
    EXPECT_TRUE(rig.keypadUnlocked());
    EXPECT_FALSE(rig.stillLinked());
}

QStringList refused(int users)
{
    return {AdminRightsRemoval::refusedMessage(users)};
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RemovingRights,
    testing::Values(
        RemovalCase{"AnsweredNo", kUsers, {}, kEthernet, false, kBefore, {}},
        RemovalCase{"EveryEnrolmentOfEveryUser", kUsers, {}, kEthernet, true, allAt(kBefore, 0), {}},
        RemovalCase{"OverTheSerialLine", kUsers, {}, kSerialPort, true, allAt(kBefore, 0), {}},
        RemovalCase{"EmptyUserList", {}, {}, kEthernet, true, {}, {}},
        RemovalCase{"OneCallPerEntryAlsoAtZero", kUsers, {"--fail", "SetPrivilege:5"}, kEthernet, true,
                    {{1, 0, 0}, {1, 1, 0}, {2, 0, 0}, {2, 10, 0}, {2, 11, 0}, {3, 0, 3}}, refused(1)},
        RemovalCase{"SomeRefusedCountsUsers", kUsers, {"--fail", "SetPrivilege:2"}, kEthernet, true,
                    {{1, 0, 0}, {1, 1, 0}, {2, 0, 0}, {2, 10, 1}, {2, 11, 2}, {3, 0, 3}}, refused(2)},
        RemovalCase{"AllRefused", kUsers, {"--fail", "SetPrivilege"}, kEthernet, true, kBefore, refused(3)},
        RemovalCase{"KeypadRefusedStillChanges", kUsers, {"--fail", "SetEnabled"}, kEthernet, true,
                    allAt(kBefore, 0), {}},
        RemovalCase{"ConnectionTypeZeroDoesNothing", kUsers, {}, 0, true, kBefore, {}}),
    tavlo::test::CaseName{});

TEST(RemovingRightsKeepsTheRest, EnrolmentsTheirDataAndPasswordsStay)
{
    MaintenanceRig rig({}, kUsers);
    rig.addTerminal();
    rig.dialogs.nextWarningAnswers = {true};
    AdminRightsRemoval::run(rig.control(), rig.data.CihazTable);
    const emulator::TerminalState state = rig.terminal.state();
    ASSERT_EQ(state.enrolments().entries().size(), 6u);
    const emulator::StoredEnrolment* finger = state.enrolments().find({1, 0});
    ASSERT_NE(finger, nullptr);
    EXPECT_EQ(finger->data[0], 5);
    EXPECT_EQ(finger->data[2], 7);
    const emulator::StoredEnrolment* password = state.enrolments().find({2, 10});
    ASSERT_NE(password, nullptr);
    EXPECT_EQ(password->password, 1234);
    EXPECT_EQ(state.enrolments().find({2, 11})->enabled, 0);
}

TEST(RemovingRightsLinkRefused, SaysSoAndChangesNothing)
{
    MaintenanceRig rig({}, kUsers, {"--refuse"});
    rig.addTerminal();
    rig.dialogs.nextWarningAnswers = {true};
    AdminRightsRemoval::run(rig.control(), rig.data.CihazTable);
    EXPECT_EQ(rig.dialogs.messages, QStringList{QString::fromUtf8("Bağlantı Kurulamadı ! ! !")});
    EXPECT_EQ(rig.terminal.state().enrolments().find({3, 0})->privilege, 3);
}

// An error of the control in the middle of the walk unlocks the keypad and
// ends the link before the error leaves the feature to be shown; what was
// changed before it stays changed.
TEST(RemovingRightsRaising, UnlocksTheKeypadAndEndsTheLinkBeforeTheErrorComesOut)
{
    MaintenanceRig rig({}, kUsers);
    rig.addTerminal();
    rig.dialogs.nextWarningAnswers = {true};
    {
        const RaisingControl raising(SBXPC_SET_USER_PRIVILEGE, 2);
        EXPECT_THROW(AdminRightsRemoval::run(rig.control(), rig.data.CihazTable), Error);
    }
    EXPECT_TRUE(rig.keypadUnlocked());
    EXPECT_FALSE(rig.stillLinked());
    EXPECT_TRUE(rig.dialogs.messages.isEmpty());
    EXPECT_EQ(rig.fetchUsers(),
              (std::vector<UserEntry>{{1, 0, 0}, {1, 1, 0}, {2, 0, 0}, {2, 10, 1}, {2, 11, 2}, {3, 0, 3}}));
}

}  // namespace
}  // namespace tavlo::test
