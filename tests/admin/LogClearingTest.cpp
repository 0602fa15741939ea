#include "admin/LogClearing.h"
#include "platform/Error.h"
#include "tests/admin/DialogWatch.h"
#include "tests/admin/MaintenanceRig.h"
#include "tests/admin/RaisingControl.h"
#include "tests/support/CaseName.h"

#include <gtest/gtest.h>

namespace tavlo::test {
namespace {

QByteArray someRecords(int count)
{
    QByteArray text = "user\tmode\tyear\tmonth\tday\thour\tminute\tsecond\n";
    for (int i = 0; i < count; ++i)
        text += QByteArray::number(100 + i) + "\t0\t2024\t3\t1\t8\t" + QByteArray::number(i) + "\t0\n";
    return text;
}

const QString kDone = QString::fromUtf8(LogClearing::kDone);
const QString kFailed = QString::fromUtf8(LogClearing::kFailed);

TEST(LogClearingQuestion, IsTheTwoPiecesJoinedByOneCarriageReturn)
{
    const QString text = LogClearing::question();
    EXPECT_EQ(text.count(QChar(u'\r')), 1);
    EXPECT_FALSE(text.contains(QChar(u'\n')));
    EXPECT_TRUE(text.startsWith(QString::fromUtf8("Silme işlemini yapmadan önce cihazdaki tüm kayıtların "
                                                  "bilgisayara aktarıldığından emin olun. \rBu işlem")));
    EXPECT_TRUE(text.endsWith(QString::fromUtf8("Cihazdaki tüm hareket kayıtlarını silmek istediğinize emin misiniz?")));
    EXPECT_EQ(LogClearing::unconfirmedQuestion(42),
              QString::fromUtf8("Cihazda bilgisayara aktarılmamış 42 hareket kaydı var. Yine de silinsin mi?"));
}

struct ClearCase {
    const char* name;
    int records;
    int transferred;      // confirmed by a transfer before the click
    QStringList faults;
    qint32 connectionType;
    std::vector<bool> answers;
    QStringList warnings;  // after the first question
    QStringList messages;
    bool cleared;
    friend void PrintTo(const ClearCase& c, std::ostream* os) { *os << c.name; }
};

class ClearingTheLog : public testing::TestWithParam<ClearCase> {};

// Whatever the answers and the terminal's faults, the keypad is unlocked
// and the link ended afterwards, and the log is emptied only on the way
// that says so.
TEST_P(ClearingTheLog, AsksClearsAndTellsWhatTheTerminalDid)
{
    const ClearCase& c = GetParam();
    MaintenanceRig rig(someRecords(c.records), {}, c.faults);
    rig.addTerminal(c.connectionType);
    rig.transfer(c.transferred);
    rig.dialogs.nextWarningAnswers.assign(c.answers.begin(), c.answers.end());

    LogClearing::run(rig.control(), rig.data.CihazTable);

    EXPECT_EQ(rig.dialogs.warnings, QStringList{LogClearing::question()} + c.warnings);
    EXPECT_TRUE(rig.dialogs.nextWarningAnswers.empty()) << "every answer was asked for";
    EXPECT_EQ(rig.dialogs.messages, c.messages);
    EXPECT_EQ(rig.records(), c.cleared ? 0u : std::uint32_t(c.records));
    EXPECT_TRUE(rig.keypadUnlocked());
    EXPECT_FALSE(rig.stillLinked());
}

const QString kLinkFailed = QString::fromUtf8("Bağlantı Kurulamadı ! ! !");

INSTANTIATE_TEST_SUITE_P(
    Cases, ClearingTheLog,
    testing::Values(
        ClearCase{"AnsweredNo", 3, 0, {}, kEthernet, {false}, {}, {}, false},
        ClearCase{"AllTransferred", 3, 3, {}, kEthernet, {true}, {}, {kDone}, true},
        ClearCase{"EmptyLog", 0, 0, {}, kEthernet, {true}, {}, {kDone}, true},
        ClearCase{"OverTheSerialLine", 2, 2, {}, kSerialPort, {true}, {}, {kDone}, true},
        ClearCase{"UntransferredClearedOnYes", 5, 2, {}, kEthernet, {true, true},
                  {LogClearing::unconfirmedQuestion(3)}, {kDone}, true},
        ClearCase{"UntransferredKeptOnNo", 5, 0, {}, kEthernet, {true, false},
                  {LogClearing::unconfirmedQuestion(5)}, {}, false},
        ClearCase{"RefusedByTheTerminal", 3, 3, {"--fail", "ClearLogs"}, kEthernet, {true}, {}, {kFailed},
                  false},
        ClearCase{"UntransferredThenRefused", 4, 0, {"--fail", "ClearLogs"}, kEthernet, {true, true},
                  {LogClearing::unconfirmedQuestion(4)}, {kFailed}, false},
        ClearCase{"CountUnknownKeptOnNo", 3, 3, {"--fail", "GetStatus"}, kEthernet, {true, false},
                  {LogClearing::unknownCountQuestion()}, {}, false},
        ClearCase{"CountUnknownClearedOnYes", 3, 3, {"--fail", "GetStatus"}, kEthernet, {true, true},
                  {LogClearing::unknownCountQuestion()}, {kDone}, true},
        ClearCase{"KeypadRefusedStillClears", 3, 3, {"--fail", "SetEnabled"}, kEthernet, {true}, {},
                  {kDone}, true},
        ClearCase{"LinkRefused", 3, 0, {"--refuse"}, kEthernet, {true}, {}, {kLinkFailed}, false},
        ClearCase{"ConnectionTypeZeroDoesNothing", 3, 0, {}, 0, {true}, {}, {}, false}),
    tavlo::test::CaseName{});

TEST(ClearingTheLogOnAnEmptyList, AsksAndDoesNothing)
{
    MaintenanceRig rig(someRecords(2));
    rig.dialogs.nextWarningAnswers = {true};
    LogClearing::run(rig.control(), rig.data.CihazTable);
    EXPECT_TRUE(rig.dialogs.messages.isEmpty());
    EXPECT_EQ(rig.records(), 2u);
}

// Records made while the operator reads the second question would be lost
// without a word: the keypad is locked from before the count until the
// log is gone.
TEST(ClearingTheLogKeypad, IsLockedWhileTheOperatorIsAskedAboutUntransferredRecords)
{
    MaintenanceRig rig(someRecords(2));
    rig.addTerminal();
    rig.dialogs.nextWarningAnswers = {true, true};
    DialogWatch watch(rig.dialogs, [&] { return rig.keypadUnlocked(); });
    LogClearing::run(rig.control(), rig.data.CihazTable);
    EXPECT_EQ(watch.unlockedAt, (QList<bool>{true, false, true})) << "first question, second, message";
    EXPECT_EQ(rig.records(), 0u);
}

struct RaiseCase {
    const char* name;
    qint32 dispid;
    friend void PrintTo(const RaiseCase& c, std::ostream* os) { *os << c.name; }
};

class ClearingTheLogRaising : public testing::TestWithParam<RaiseCase> {};

// An error of the control after the keypad was locked unlocks it and ends
// the link before the error leaves the feature to be shown.
TEST_P(ClearingTheLogRaising, UnlocksTheKeypadAndEndsTheLinkBeforeTheErrorComesOut)
{
    MaintenanceRig rig(someRecords(3));
    rig.addTerminal();
    rig.dialogs.nextWarningAnswers = {true, true};
    {
        const RaisingControl raising(GetParam().dispid);
        EXPECT_THROW(LogClearing::run(rig.control(), rig.data.CihazTable), Error);
    }
    EXPECT_TRUE(rig.keypadUnlocked());
    EXPECT_FALSE(rig.stillLinked());
    EXPECT_TRUE(rig.dialogs.messages.isEmpty());
    EXPECT_EQ(rig.records(), 3u);
}

INSTANTIATE_TEST_SUITE_P(Cases, ClearingTheLogRaising,
                         testing::Values(RaiseCase{"CountingRecords", SBXPC_GET_STATUS_VALUE},
                                         RaiseCase{"ClearingTheLog", SBXPC_CLEAR_LOGS}),
                         tavlo::test::CaseName{});

}  // namespace
}  // namespace tavlo::test
