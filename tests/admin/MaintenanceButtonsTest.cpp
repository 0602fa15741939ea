#include "admin/AdminRightsRemoval.h"
#include "admin/LogClearing.h"
#include "app/Startup.h"
#include "app/ui/AnaForm.h"
#include "platform/ui/DataGrid.h"
#include "tests/admin/DialogWatch.h"
#include "tests/admin/MaintenanceRig.h"
#include "tests/admin/RaisingControl.h"
#include "tests/support/CaseName.h"
#include "tests/support/PrintQt.h"
#include "tests/support/TempFolder.h"

#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <gtest/gtest.h>

#include <memory>
#include <optional>

namespace tavlo::test {
namespace {

const QByteArray kRecords = "user\tmode\tyear\tmonth\tday\thour\tminute\tsecond\n"
                            "7\t0\t2024\t3\t1\t8\t15\t0\n"
                            "8\t0\t2024\t3\t1\t8\t16\t0\n";

const QByteArray kUsers = "user\tenrolment\tprivilege\tenabled\n"
                          "1\t0\t3\t1\n"
                          "1\t10\t1\t1\n"
                          "2\t0\t2\t1\n";

// The "Cihaz Ayarları" page of the real main window over a terminal list
// whose first row is ticked but reaches nothing (connection type 0) and
// whose second row is the emulator: the buttons act on the row the
// operator clicked, not on the ticked one.
class MaintenanceButtons : public testing::Test {
protected:
    void create()
    {
        app.write("Cihazlar.Dat",
                  "CihazNo\tCihazAdi\tMakineNo\tBaglantiTipi\tIPAdres\tParola\tPort\tIsaret\tDurum\t"
                  "Aciklama\tTransferDurumu\tComportNo\tGCTip\r\n"
                  "1\tKapi\t1\t0\t127.0.0.1\t" + QByteArray::number(LiveTerminal::kPassword) + "\t"
                      + QByteArray::number(rig.terminal.emulator->port()) + "\t1\t\t\t0\t\t0\r\n"
                  "2\tDepo\t1\t1\t127.0.0.1\t" + QByteArray::number(LiveTerminal::kPassword) + "\t"
                      + QByteArray::number(rig.terminal.emulator->port()) + "\t0\t\t\t0\t\t0\r\n");
        context = std::make_unique<ProgramContext>(rig.data, app.withSeparator());
        form = std::make_unique<TAnaForm>(*context, probe);
        form->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
        ASSERT_TRUE(rig.dialogs.errors.isEmpty()) << rig.dialogs.errors.join('\n').toStdString();
        form->findChild<QTabWidget*>("Sayfalar")->setCurrentIndex(1);
        auto* grid = form->findChild<DataGrid*>("CihazGrid");
        ASSERT_NE(grid, nullptr);
        const QModelIndex depo = grid->model()->index(1, grid->columnOf("v_CihazTableCihazAdi"));
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->visualRect(depo).center());
        ASSERT_EQ(rig.data.CihazTable.currentRow(), 1);
    }

    void click(const char* name)
    {
        auto* button = form->findChild<QPushButton*>(name);
        ASSERT_NE(button, nullptr) << name;
        EXPECT_TRUE(button->isEnabled()) << name;
        QTest::mouseClick(button, Qt::LeftButton);
        EXPECT_FALSE(form->terminalBusy());
    }

    bool formLinked()
    {
        qint32 value = 0;
        return form->CC().GetStatusValue(LiveTerminal::kMachine, 8, value);
    }

    MaintenanceRig rig{kRecords, kUsers};
    TempFolder app;
    ControlProbe probe;
    std::unique_ptr<ProgramContext> context;
    std::unique_ptr<TAnaForm> form;
};

TEST_F(MaintenanceButtons, YedekleriSilAsksTwiceAndEmptiesTheLogOfTheClickedTerminal)
{
    create();
    rig.dialogs.nextWarningAnswers = {true, true};
    click("YedekSilButon");
    EXPECT_EQ(rig.dialogs.warnings,
              (QStringList{LogClearing::question(), LogClearing::unconfirmedQuestion(2)}));
    EXPECT_EQ(rig.dialogs.messages, QStringList{QString::fromUtf8(LogClearing::kDone)});
    EXPECT_TRUE(rig.dialogs.errors.isEmpty()) << rig.dialogs.errors.join('\n').toStdString();
    EXPECT_EQ(rig.records(), 0u);
    EXPECT_TRUE(rig.keypadUnlocked());
    EXPECT_FALSE(formLinked());
}

TEST_F(MaintenanceButtons, YetkilileriSilTakesEveryRightAwaySilently)
{
    create();
    rig.dialogs.nextWarningAnswers = {true};
    click("YetkiliSilButon");
    EXPECT_EQ(rig.dialogs.warnings, QStringList{AdminRightsRemoval::question()});
    EXPECT_TRUE(rig.dialogs.messages.isEmpty());
    EXPECT_TRUE(rig.dialogs.errors.isEmpty()) << rig.dialogs.errors.join('\n').toStdString();
    EXPECT_EQ(rig.fetchUsers(), (std::vector<UserEntry>{{1, 0, 0}, {1, 10, 0}, {2, 0, 0}}));
    EXPECT_TRUE(rig.keypadUnlocked());
    EXPECT_FALSE(formLinked());
}

struct RaisingCase {
    const char* name;
    const char* button;
    qint32 dispid;
    int after;
    friend void PrintTo(const RaisingCase& c, std::ostream* os) { *os << c.name; }
};

class MaintenanceButtonRaising : public MaintenanceButtons,
                                 public testing::WithParamInterface<RaisingCase> {};

// The error box comes only once the keypad is unlocked and the link ended,
// and the window is free for the next click.
TEST_P(MaintenanceButtonRaising, ShowsTheErrorWithTheKeypadUnlockedAndTheLinkEnded)
{
    const RaisingCase& c = GetParam();
    std::optional<RaisingControl> raising;
    raising.emplace(c.dispid, c.after);
    create();
    DialogWatch watch(rig.dialogs, [&] { return rig.keypadUnlocked(); }, [&] { return formLinked(); });
    rig.dialogs.nextWarningAnswers = {true, true};
    click(c.button);
    ASSERT_EQ(rig.dialogs.errors.size(), 1);
    EXPECT_TRUE(rig.dialogs.errors.front().startsWith("The terminal control refused"))
        << rig.dialogs.errors.front().toStdString();
    EXPECT_TRUE(watch.unlockedAt.back()) << "keypad at the error box";
    EXPECT_FALSE(watch.linkedAt.back()) << "link at the error box";
    EXPECT_TRUE(rig.dialogs.messages.isEmpty());
    raising.reset();
    EXPECT_EQ(rig.records(), 2u);

    rig.dialogs.nextWarningAnswers = {true, true};
    click("YedekSilButon");
    EXPECT_EQ(rig.dialogs.messages, QStringList{QString::fromUtf8(LogClearing::kDone)})
        << "the next click works";
}

INSTANTIATE_TEST_SUITE_P(
    Cases, MaintenanceButtonRaising,
    testing::Values(RaisingCase{"ClearLogs", "YedekSilButon", SBXPC_CLEAR_LOGS, 0},
                    RaisingCase{"SecondPrivilegeChange", "YetkiliSilButon", SBXPC_SET_USER_PRIVILEGE, 1}),
    tavlo::test::CaseName{});

}  // namespace
}  // namespace tavlo::test
