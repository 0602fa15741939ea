#include "platform/Error.h"
#include "terminal/LinkSession.h"
#include "tests/support/CaseName.h"
#include "tests/support/ScriptedDialogs.h"
#include "tests/terminal/LiveTerminal.h"

#include <gtest/gtest.h>

namespace tavlo::test {
namespace {

const QByteArray kRecords = "user\tmode\tyear\tmonth\tday\thour\tminute\tsecond\n"
                            "1\t0\t2024\t3\t1\t8\t15\t0\n"
                            "2\t0\t2024\t3\t1\t8\t16\t0\n"
                            "3\t0\t2024\t3\t1\t8\t17\t0\n";

class LinkSessionTest : public testing::Test {
protected:
    LinkSessionTest() { terminal.driver.setTimeouts(300, 2000); }

    TerminalLinkValues row(qint32 type = kEthernet) const
    {
        return {type, LiveTerminal::kMachine, "127.0.0.1", terminal.emulator->port(),
                QString::number(LiveTerminal::kPassword)};
    }
    // Takes two records on the session's link.
    void readTwo(const LinkSession& session)
    {
        cc.SetReadMark(true);
        ASSERT_TRUE(cc.BeginLogRead(session.machine()));
        qint32 v[10] = {};
        for (int i = 0; i < 2; ++i)
            ASSERT_TRUE(cc.NextLogRecord(session.machine(), v[0], v[1], v[2], v[3], v[4], v[5], v[6], v[7],
                                         v[8], v[9]));
    }
    bool stillLinked()
    {
        qint32 value = 0;
        return cc.GetStatusValue(LiveTerminal::kMachine, 8, value);
    }

    LiveTerminal terminal{kRecords};
    ScriptedDialogs dialogs;
    TSBXPC cc;
};

TEST_F(LinkSessionTest, ThatEndsUnclosedDropsItsLinkAndConfirmsNothing)
{
    {
        LinkSession session(cc, row(), linksite::kTransfer);
        ASSERT_TRUE(session.linked());
        readTwo(session);
    }
    EXPECT_FALSE(stillLinked());
    EXPECT_EQ(terminal.state().confirmed(), 0u);
}

TEST_F(LinkSessionTest, ThatAnErrorLeavesDropsItsLink)
{
    EXPECT_THROW(
        {
            LinkSession session(cc, row(), linksite::kTransfer);
            readTwo(session);
            throw Error("a file could not be written");
        },
        Error);
    EXPECT_FALSE(stillLinked());
    EXPECT_EQ(terminal.state().confirmed(), 0u);
}

TEST_F(LinkSessionTest, ClosedConfirmsItsReadAndSaysTheTerminalAcknowledged)
{
    LinkSession session(cc, row(), linksite::kTransfer);
    readTwo(session);
    EXPECT_TRUE(session.close());
    EXPECT_FALSE(session.linked());
    EXPECT_EQ(terminal.state().confirmed(), 2u);
}

TEST_F(LinkSessionTest, LeftOpenKeepsTheLinkForWhoeverUsesItNext)
{
    {
        LinkSession session(cc, row(), linksite::kMaintenance);
        ASSERT_TRUE(session.linked());
        session.leaveOpen();
    }
    EXPECT_TRUE(stillLinked());
    cc.CloseLink();
}

struct SiteCase {
    const char* name;
    LinkSite site;
    qint32 connectionType;
    bool reachable;
    LinkOutcome outcome;
    QStringList messages;
    friend void PrintTo(const SiteCase& c, std::ostream* os) { *os << c.name; }
};

class LinkSessionSite : public LinkSessionTest, public testing::WithParamInterface<SiteCase> {};

TEST_P(LinkSessionSite, ShowsItsOwnFailureText)
{
    const SiteCase& c = GetParam();
    TerminalLinkValues values = row(c.connectionType);
    if (!c.reachable)
        values.Parola = "1";  // the terminal refuses a wrong password
    LinkSession session(cc, values, c.site);
    EXPECT_EQ(session.outcome(), c.outcome);
    EXPECT_EQ(session.linked(), c.outcome == LinkOutcome::Linked);
    EXPECT_EQ(dialogs.messages, c.messages);
}

const QString kNotLinked = QString::fromUtf8("Bağlantı Kurulamadı ! ! !");

INSTANTIATE_TEST_SUITE_P(
    Cases, LinkSessionSite,
    testing::Values(
        SiteCase{"Linked", linksite::kLinkTest, kEthernet, true, LinkOutcome::Linked, {}},
        SiteCase{"LinkTestRefused", linksite::kLinkTest, kEthernet, false, LinkOutcome::NotLinked, {kNotLinked}},
        SiteCase{"LinkTestUnknownType", linksite::kLinkTest, 0, true, LinkOutcome::NoCall, {kNotLinked}},
        SiteCase{"MaintenanceRefused", linksite::kMaintenance, kEthernet, false, LinkOutcome::NotLinked,
                 {kNotLinked}},
        SiteCase{"MaintenanceUnknownTypeSaysNothing", linksite::kMaintenance, 4, true, LinkOutcome::NoCall, {}},
        SiteCase{"PersonnelRefused", linksite::kPersonnel, kEthernet, false, LinkOutcome::NotLinked,
                 {QString::fromUtf8("Cihaza Bağlantı Kurulamadı!")}},
        SiteCase{"TransferReportsItself", linksite::kTransfer, kEthernet, false, LinkOutcome::NotLinked, {}}),
    tavlo::test::CaseName{});

TEST_F(LinkSessionTest, KeypadIsLockedForTheWorkAndUnlockedAfterEvenOnAnError)
{
    LinkSession session(cc, row(), linksite::kMaintenance);
    ASSERT_TRUE(session.linked());
    {
        const KeypadLock locked(session);
        EXPECT_FALSE(terminal.state().settings().keypadEnabled);
    }
    EXPECT_TRUE(terminal.state().settings().keypadEnabled);

    EXPECT_THROW(
        {
            const KeypadLock locked(session);
            EXPECT_FALSE(terminal.state().settings().keypadEnabled);
            throw Error("the work failed");
        },
        Error);
    EXPECT_TRUE(terminal.state().settings().keypadEnabled);
}

}  // namespace
}  // namespace tavlo::test
