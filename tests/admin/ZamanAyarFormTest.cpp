#include "admin/TerminalClock.h"
#include "admin/ui/ZamanAyarForm.h"
#include "app/Startup.h"
#include "app/ui/AnaForm.h"
#include "diag/ui/MusveddeForm.h"
#include "personnel/ui/PersonelForm.h"
#include "emulator/TerminalState.h"
#include "store/DataModul.h"
#include "terminal/TSBXPC.h"
#include "tests/emulator/DriverSettings.h"
#include "tests/emulator/EmulatorProcess.h"
#include "tests/support/CaseName.h"
#include "tests/support/FixedClock.h"
#include "tests/support/PrintQt.h"
#include "tests/support/ScriptedDialogs.h"
#include "tests/support/TempFolder.h"
#include "tests/support/UserFolders.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <QTimerEvent>
#include <QWindow>
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <memory>
#include <vector>

namespace tavlo {
namespace {

using testing::AnyOf;

constexpr qint32 kPassword = 55;
constexpr qint64 kYear = 365LL * 86400;

// A Sunday, as the PC's clock shows it in every test.
const QDateTime kPcTime{{2024, 3, 10}, {7, 8, 9}};
constexpr auto kPcText = "10.03.2024  Pazar 07:08:09";

// One emulated terminal with a state folder of its own, its clock set off
// the host's.
struct Terminal {
    Terminal(qint32 machineNumber, qint64 clockOffset, const QStringList& faults) : machine(machineNumber)
    {
        test::EmulatorProcess::Options options;
        options.stateFolder = folder.file("state");
        options.machine = machine;
        options.password = kPassword;
        options.extra = QStringList{"--clock-offset", QString::number(clockOffset)} + faults;
        process = std::make_unique<test::EmulatorProcess>(options);
    }

    emulator::TerminalSettings settings() const
    {
        return emulator::TerminalState(folder.file("state")).settings();
    }

    // The terminal's clock now, read on a link of another control.
    QDateTime time() const
    {
        TSBXPC probe;
        qint32 y = 0, mo = 0, d = 0, h = 0, mi = 0, s = 0, wd = 0;
        EXPECT_TRUE(probe.OpenTcpLink(machine, "127.0.0.1", process->port(), kPassword));
        EXPECT_TRUE(probe.GetDeviceClock(machine, y, mo, d, h, mi, s, wd));
        probe.CloseLink();
        return {QDate(y, mo, d), QTime(h, mi, s)};
    }

    qint32 machine;
    test::TempFolder folder;
    std::unique_ptr<test::EmulatorProcess> process;
};

// The terminal field for a time a terminal's clock shows.
QString textOf(const QDateTime& time)
{
    const QDate d = time.date();
    return clocktext::terminalText(
        {d.year(), d.month(), d.day(), time.time().hour(), time.time().minute(), 0, d.dayOfWeek()});
}

// The field read between two readings of the terminal's clock shows one of
// their minutes.
auto between(const QDateTime& before, const QDateTime& after)
{
    return AnyOf(textOf(before), textOf(after));
}

// The main window with its clock window, as the start-up hands them over,
// on a terminal list of emulated terminals.
class ZamanAyarFormTest : public testing::Test {
protected:
    ZamanAyarFormTest() { user.registerControl(); }

    Terminal& addTerminal(qint32 machine, qint64 clockOffset, const QStringList& faults = {})
    {
        terminals.push_back(std::make_unique<Terminal>(machine, clockOffset, faults));
        Terminal& t = *terminals.back();
        rows << row(machine, 1, t.process->port());
        return t;
    }
    void addRow(qint32 machine, qint32 connectionType, quint16 port)
    {
        rows << row(machine, connectionType, port);
    }

    void create()
    {
        app.write("Cihazlar.Dat",
                  "CihazNo\tCihazAdi\tMakineNo\tBaglantiTipi\tIPAdres\tParola\tPort\tIsaret\tDurum\t"
                  "Aciklama\tTransferDurumu\tComportNo\tGCTip\r\n"
                  + rows.join("\r\n").toLatin1() + "\r\n");
        context = std::make_unique<ProgramContext>(data, app.withSeparator());
        form = std::make_unique<TAnaForm>(*context, probe);
        personelWindow = std::make_unique<TPersonelForm>(*context);
        musveddeWindow = std::make_unique<TMusveddeForm>(*context);
        clockWindow = std::make_unique<TZamanAyarForm>(*context);
        form->useWindows(*personelWindow, *clockWindow, *musveddeWindow);
        form->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
        form->findChild<QTabWidget*>("Sayfalar")->setCurrentIndex(1);
        ASSERT_TRUE(dialogs.errors.isEmpty()) << dialogs.errors.join('\n').toStdString();
    }

    // Clicks "Tarih/Saat Ayarla" on the current row and, while the clock
    // window is up, runs `whileShown`; then closes it with "Kapat" unless
    // `whileShown` closed it. Returns the window that came up, if any.
    TZamanAyarForm* openClock(const std::function<void(TZamanAyarForm&)>& whileShown = {})
    {
        TZamanAyarForm* shown = nullptr;
        QTimer::singleShot(0, [&] {
            shown = qobject_cast<TZamanAyarForm*>(QApplication::activeModalWidget());
            if (!shown)
                return;
            if (whileShown)
                whileShown(*shown);
            if (shown->isVisible())
                part<QPushButton>(*shown, "KapatButon")->click();
        });
        form->findChild<QPushButton*>("ZamanAyarButon")->click();
        // Without a window, the check above runs here.
        QCoreApplication::processEvents();
        return shown;
    }

    template <typename T>
    static T* part(QWidget& window, const char* name)
    {
        T* found = window.findChild<T*>(QLatin1String(name));
        if (!found)
            ADD_FAILURE() << "no control named " << name;
        return found;
    }
    static QString field(QWidget& w) { return part<QLineEdit>(w, "TarihSaatEdit")->text(); }
    static QString pcField(QWidget& w) { return part<QLabel>(w, "SaatLabel")->text(); }
    static QTimer* timer(QWidget& w) { return part<QTimer>(w, "Timer1"); }

    // Whether the main window's control still holds a link to the machine.
    bool linkOpen(qint32 machine) const
    {
        qint32 value = 0;
        return form->CC().GetStatusValue(machine, 8, value);
    }

    test::UserFolders user;
    test::DriverSettings driver{300, 2000};
    test::TempFolder app;
    test::ScriptedDialogs dialogs;
    test::FixedClock pc{kPcTime};
    std::vector<std::unique_ptr<Terminal>> terminals;
    QStringList rows;
    ControlProbe probe;
    TDataModul data;
    std::unique_ptr<ProgramContext> context;
    std::unique_ptr<TAnaForm> form;
    std::unique_ptr<TPersonelForm> personelWindow;
    std::unique_ptr<TMusveddeForm> musveddeWindow;
    std::unique_ptr<TZamanAyarForm> clockWindow;

private:
    QString row(qint32 machine, qint32 connectionType, quint16 port) const
    {
        const int number = rows.size() + 1;
        return QString("%1\tCihaz %1\t%2\t%3\t127.0.0.1\t%4\t%5\t0\t\t\t0\t\t0")
            .arg(number)
            .arg(machine)
            .arg(connectionType)
            .arg(kPassword)
            .arg(port);
    }
};

TEST_F(ZamanAyarFormTest, ShowsTheTerminalsClockBesideThePcsAndLeavesTheLinkOpen)
{
    Terminal& terminal = addTerminal(3, 3 * kYear);
    create();
    const QDateTime before = terminal.time();
    TZamanAyarForm* shown = openClock([&](TZamanAyarForm& w) {
        EXPECT_EQ(w.windowTitle(), "Tarih / Saat Ayarla");
        EXPECT_THAT(field(w), between(before, terminal.time()));
        EXPECT_EQ(pcField(w), QString::fromUtf8(kPcText));
        ASSERT_NE(timer(w), nullptr);
        EXPECT_TRUE(timer(w)->isActive());
        EXPECT_EQ(timer(w)->interval(), 500);
        EXPECT_TRUE(terminal.settings().keypadEnabled);
        QStringList captions;
        for (const QLabel* label : w.findChildren<QLabel*>())
            captions << label->text();
        EXPECT_THAT(captions, testing::IsSupersetOf({QStringLiteral("CihazınTarih ve Saati : "),
                                                      QStringLiteral("Bilgisayarın Tarih ve Saati : ")}));
        EXPECT_EQ(part<QPushButton>(w, "cxButton2")->text(), "Tarih ve Saati Kaydet");
        EXPECT_EQ(part<QPushButton>(w, "KapatButon")->text(), "Kapat");
    });
    ASSERT_EQ(shown, clockWindow.get()) << "the window made at start-up";
    EXPECT_FALSE(shown->isVisible());
    EXPECT_EQ(shown->MakineNo(), 3);
    EXPECT_TRUE(linkOpen(3)) << "the link stays open after the window";
    EXPECT_TRUE(terminal.settings().keypadEnabled);
    EXPECT_EQ(terminal.settings().clockOffset, 3 * kYear) << "nothing was set";
    EXPECT_TRUE(dialogs.messages.isEmpty()) << dialogs.messages.join('\n').toStdString();
    EXPECT_TRUE(dialogs.errors.isEmpty()) << dialogs.errors.join('\n').toStdString();
}

// The timer's tick, delivered without waiting for it, brings the PC's time
// of that moment; the terminal field stays as read at the opening.
TEST_F(ZamanAyarFormTest, EachTickShowsThePcsClockAndLeavesTheTerminalField)
{
    addTerminal(3, 3 * kYear);
    create();
    TZamanAyarForm* shown = openClock([&](TZamanAyarForm& w) {
        const QString terminalField = field(w);
        pc.set({{2024, 3, 11}, {0, 0, 5}});
        QTimerEvent tick(timer(w)->timerId());
        QCoreApplication::sendEvent(timer(w), &tick);
        EXPECT_EQ(pcField(w), QStringLiteral("11.03.2024  Pazartesi 00:00:05"));
        EXPECT_EQ(field(w), terminalField);
    });
    ASSERT_NE(shown, nullptr) << "no clock window came up";
}

TEST_F(ZamanAyarFormTest, KaydetSetsTheTerminalsClockAndShowsItAsReadBack)
{
    Terminal& terminal = addTerminal(3, 3 * kYear);
    create();
    TZamanAyarForm* shown = openClock([&](TZamanAyarForm& w) {
        const QString opening = field(w);
        part<QPushButton>(w, "cxButton2")->click();
        const QDateTime after = terminal.time();
        EXPECT_THAT(field(w), AnyOf(textOf(after), textOf(after.addSecs(-60))));
        EXPECT_NE(field(w), opening);
        EXPECT_EQ(pcField(w), QString::fromUtf8(kPcText)) << "the PC's field is the timer's";
        EXPECT_EQ(dialogs.messages, QStringList{QStringLiteral("Tarih / Saat Güncellendi.")});
        EXPECT_TRUE(w.isVisible());
    });
    ASSERT_NE(shown, nullptr) << "no clock window came up";
    EXPECT_LT(std::llabs(terminal.settings().clockOffset), 120);
    EXPECT_TRUE(terminal.settings().keypadEnabled);
}

TEST_F(ZamanAyarFormTest, ARefusedSettingSaysSoAndShowsTheClockAsReadBack)
{
    Terminal& terminal = addTerminal(3, 3 * kYear, {"--fail", "SetClock"});
    create();
    TZamanAyarForm* shown = openClock([&](TZamanAyarForm& w) {
        const QDateTime before = terminal.time();
        part<QPushButton>(w, "cxButton2")->click();
        EXPECT_THAT(field(w), between(before, terminal.time())) << "still ahead";
        EXPECT_EQ(dialogs.messages, QStringList{QStringLiteral("Tarih / Saat ayarlanamadı!")});
    });
    ASSERT_NE(shown, nullptr) << "no clock window came up";
    EXPECT_EQ(terminal.settings().clockOffset, 3 * kYear);
    EXPECT_TRUE(terminal.settings().keypadEnabled);
}

// The second terminal gives no clock: its field says so and never shows
// what the first terminal gave.
TEST_F(ZamanAyarFormTest, AClockThatIsNotGivenSaysSoAndNothingOfTheTerminalBefore)
{
    Terminal& first = addTerminal(3, 3 * kYear);
    Terminal& second = addTerminal(9, -2 * kYear, {"--fail", "GetClock"});
    create();
    QString firstField;
    openClock([&](TZamanAyarForm& w) { firstField = field(w); });
    ASSERT_FALSE(firstField.isEmpty());

    data.CihazTable.moveTo(1);
    const QString notRead = QStringLiteral("Cihazın tarih ve saati okunamadı!");
    TZamanAyarForm* shown = openClock([&](TZamanAyarForm& w) {
        EXPECT_EQ(field(w), notRead);
        part<QPushButton>(w, "cxButton2")->click();
        EXPECT_EQ(field(w), notRead);
        EXPECT_EQ(dialogs.messages, QStringList{QStringLiteral("Tarih / Saat Güncellendi.")})
            << "the terminal took the time";
    });
    ASSERT_NE(shown, nullptr);
    EXPECT_LT(std::llabs(second.settings().clockOffset), 120);
    EXPECT_EQ(first.settings().clockOffset, 3 * kYear);
    EXPECT_TRUE(second.settings().keypadEnabled);
}

TEST_F(ZamanAyarFormTest, TheSecondOpeningWorksOnTheSecondTerminalsMachineNumber)
{
    Terminal& first = addTerminal(3, 3 * kYear);
    Terminal& second = addTerminal(9, -2 * kYear);
    create();
    TZamanAyarForm* firstWindow = openClock();
    ASSERT_NE(firstWindow, nullptr);

    data.CihazTable.moveTo(1);
    const QDateTime before = second.time();
    TZamanAyarForm* secondWindow = openClock([&](TZamanAyarForm& w) {
        EXPECT_THAT(field(w), between(before, second.time()));
        EXPECT_EQ(dialogs.errors, QStringList{});
        part<QPushButton>(w, "cxButton2")->click();
        EXPECT_EQ(dialogs.messages, QStringList{QStringLiteral("Tarih / Saat Güncellendi.")});
    });
    EXPECT_EQ(secondWindow, firstWindow) << "one window for every opening";
    EXPECT_EQ(clockWindow->MakineNo(), 9);
    EXPECT_LT(std::llabs(second.settings().clockOffset), 120);
    EXPECT_EQ(first.settings().clockOffset, 3 * kYear);
    EXPECT_TRUE(linkOpen(9));
}

// A row of no known connection type: no link, no window, no message.
TEST_F(ZamanAyarFormTest, ConnectionTypeZeroDoesNothingAtAll)
{
    Terminal& terminal = addTerminal(3, 3 * kYear);
    addRow(3, 0, terminal.process->port());
    create();
    data.CihazTable.moveTo(1);
    EXPECT_EQ(openClock(), nullptr);
    EXPECT_FALSE(linkOpen(3));
    EXPECT_TRUE(dialogs.messages.isEmpty()) << dialogs.messages.join('\n').toStdString();
    EXPECT_TRUE(dialogs.errors.isEmpty()) << dialogs.errors.join('\n').toStdString();
    EXPECT_FALSE(timer(*clockWindow)->isActive());
}

TEST_F(ZamanAyarFormTest, AnUnreachableTerminalSaysSoAndOpensNoWindow)
{
    Terminal& terminal = addTerminal(3, 0);
    const quint16 port = terminal.process->port();
    terminal.process->stop();
    addRow(3, 1, port);
    create();
    data.CihazTable.moveTo(1);
    EXPECT_EQ(openClock(), nullptr);
    EXPECT_EQ(dialogs.messages, QStringList{QStringLiteral("Bağlantı Kurulamadı ! ! !")});
}

struct CloseCase {
    const char* name;
    std::function<void(TZamanAyarForm&)> close;
    friend void PrintTo(const CloseCase& c, std::ostream* os) { *os << c.name; }
};

class ClockWindowClose : public ZamanAyarFormTest, public testing::WithParamInterface<CloseCase> {};

// However the window closes, its timer stops with it, and the next opening
// starts it again.
TEST_P(ClockWindowClose, StopsTheTimer)
{
    addTerminal(3, 0);
    create();
    for (int opening = 0; opening < 2; ++opening) {
        TZamanAyarForm* shown = openClock([&](TZamanAyarForm& w) {
            EXPECT_TRUE(timer(w)->isActive());
            GetParam().close(w);
            EXPECT_FALSE(w.isVisible());
        });
        ASSERT_NE(shown, nullptr);
        EXPECT_FALSE(timer(*shown)->isActive()) << "opening " << opening;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ClockWindowClose,
    testing::Values(
        CloseCase{"Kapat", [](TZamanAyarForm& w) { w.findChild<QPushButton*>("KapatButon")->click(); }},
        CloseCase{"Frame", [](TZamanAyarForm& w) { w.windowHandle()->close(); }},
        CloseCase{"Escape", [](TZamanAyarForm& w) { QTest::keyClick(&w, Qt::Key_Escape); }}),
    test::CaseName{});

}  // namespace
}  // namespace tavlo
