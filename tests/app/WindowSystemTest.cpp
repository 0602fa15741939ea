// What the window manager and a screen reader see of the program's windows,
// on a real X server with the accessibility bus.
#include "admin/ui/CihazForm.h"
#include "admin/ui/ZamanAyarForm.h"
#include "app/Startup.h"
#include "app/ui/AnaForm.h"
#include "diag/ui/MusveddeForm.h"
#include "personnel/ui/CihazSecimForm.h"
#include "personnel/ui/PersonelForm.h"
#include "personnel/ui/PersonelSecimForm.h"
#include "platform/HostSystem.h"
#include "platform/ui/QtDialogs.h"
#include "tests/platform_ui/AccessibilityBus.h"
#include "tests/platform_ui/X11Windows.h"
#include "tests/support/CaseName.h"
#include "tests/support/PrintQt.h"
#include "tests/support/ScriptedDialogs.h"
#include "tests/support/TempFolder.h"
#include "tests/support/UserFolders.h"

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <csignal>
#include <functional>
#include <sstream>
#include <sys/prctl.h>

namespace tavlo {
namespace {

using test::AccessibilityBus;

constexpr auto kMainCaption = "Tavlo Senkor  v1.7";
const QByteArray kEmptyTerminalList =
    "CihazNo\tCihazAdi\tMakineNo\tBaglantiTipi\tIPAdres\tParola\tPort\tIsaret\tDurum\tAciklama\t"
    "TransferDurumu\tComportNo\tGCTip\r\n";
// A window of a program that runs appears in well under a second; this
// only bounds one that never comes.
constexpr int kWindowMs = 20000;

std::string listed(const QList<AccessibilityBus::Window>& windows)
{
    std::ostringstream text;
    for (const AccessibilityBus::Window& window : windows) {
        PrintTo(window, &text);
        text << "; ";
    }
    return text.str();
}

// The seven windows start-up makes, each with its caption and the role a
// screen reader is told.
struct WindowCase {
    const char* name;
    QWidget* (*window)(const Startup&);
    const char* caption;
    const char* role;
    friend void PrintTo(const WindowCase& c, std::ostream* os) { *os << c.name; }
};

class ProgramWindows : public testing::TestWithParam<WindowCase> {
protected:
    ProgramWindows()
    {
        user.registerControl();
        app.write("Cihazlar.Dat", kEmptyTerminalList);
    }

    void SetUp() override
    {
        ASSERT_TRUE(startup.createInstances());
        window = GetParam().window(startup);
        ASSERT_NE(window, nullptr);
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
        EXPECT_TRUE(dialogs.errors.isEmpty()) << dialogs.errors.join('\n').toStdString();
    }

    QString caption() const { return QString::fromUtf8(GetParam().caption); }

    test::UserFolders user;
    test::ScriptedDialogs dialogs;
    test::TempFolder app;
    HostSystem system{app.withSeparator()};
    Startup startup{app.withSeparator(), system};
    QWidget* window = nullptr;
};

TEST_P(ProgramWindows, TheXServerHoldsExactlyTheCaptionAsTitle)
{
    const test::x11::Title title = test::x11::titleOf(window->winId());
    EXPECT_EQ(title.netWmName, caption());
    EXPECT_EQ(title.wmName, caption());
}

TEST_P(ProgramWindows, TheAccessibilityBusShowsAWindowRoleAndTheCaption)
{
    AccessibilityBus bus;
    const qint64 self = QCoreApplication::applicationPid();
    const auto shown = bus.waitForWindow(self, caption());
    ASSERT_TRUE(shown.has_value()) << "on the bus: " << listed(bus.windowsOf(self));
    EXPECT_EQ(shown->role, QString::fromUtf8(GetParam().role));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ProgramWindows,
    testing::Values(
        WindowCase{"AnaForm", [](const Startup& s) -> QWidget* { return s.AnaForm(); },
                   kMainCaption, "frame"},
        WindowCase{"CihazForm", [](const Startup& s) -> QWidget* { return s.CihazForm(); },
                   "Cihaz Ekle / Düzenle", "dialog"},
        WindowCase{"PersonelForm", [](const Startup& s) -> QWidget* { return s.PersonelForm(); },
                   "Personel Kayıtları", "dialog"},
        WindowCase{"MusveddeForm", [](const Startup& s) -> QWidget* { return s.MusveddeForm(); },
                   "MusveddeForm", "dialog"},
        WindowCase{"CihazSecimForm",
                   [](const Startup& s) -> QWidget* { return s.CihazSecimForm(); },
                   "Cihaz Seçimi", "dialog"},
        WindowCase{"PersonelSecimForm",
                   [](const Startup& s) -> QWidget* { return s.PersonelSecimForm(); },
                   "Cihazdaki Personeller", "dialog"},
        WindowCase{"ZamanAyarForm", [](const Startup& s) -> QWidget* { return s.ZamanAyarForm(); },
                   "Tarih / Saat Ayarla", "dialog"}),
    test::CaseName{});

// The boxes and the file dialog of the program's dialogs. A message box is
// an alert to a screen reader, which reads it out whole as it appears.
struct BoxCase {
    const char* name;
    std::function<void(Dialogs&)> open;
    const char* caption;
    const char* role;
    friend void PrintTo(const BoxCase& c, std::ostream* os) { *os << c.name; }
};

class DialogBoxes : public testing::TestWithParam<BoxCase> {
protected:
    // Opens the box and, while it is up, reads its title and how the bus
    // shows it; then closes it.
    void openAndInspect()
    {
        QTimer::singleShot(0, [this] {
            QWidget* box = QApplication::activeModalWidget();
            if (!box) {
                ADD_FAILURE() << "no box is up";
                return;
            }
            if (QTest::qWaitForWindowExposed(box)) {
                title = test::x11::titleOf(box->winId());
                shown = bus.waitForWindow(QCoreApplication::applicationPid(),
                                          QString::fromUtf8(GetParam().caption));
                if (!shown)
                    onTheBus = bus.windowsOf(QCoreApplication::applicationPid());
            } else {
                ADD_FAILURE() << "the box was never shown";
            }
            if (auto* dialog = qobject_cast<QDialog*>(box))
                dialog->reject();
        });
        QtDialogs dialogs;
        GetParam().open(dialogs);
    }

    AccessibilityBus bus;
    test::x11::Title title;
    std::optional<AccessibilityBus::Window> shown;
    QList<AccessibilityBus::Window> onTheBus;
};

TEST_P(DialogBoxes, ShowTheirCaptionToTheXServerAndTheAccessibilityBus)
{
    openAndInspect();
    const QString caption = QString::fromUtf8(GetParam().caption);
    EXPECT_EQ(title.netWmName, caption);
    EXPECT_EQ(title.wmName, caption);
    ASSERT_TRUE(shown.has_value()) << "on the bus: " << listed(onTheBus);
    EXPECT_EQ(shown->role, QString::fromUtf8(GetParam().role));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DialogBoxes,
    testing::Values(
        BoxCase{"Message", [](Dialogs& d) { d.showMessage("Bilgi"); }, "Tavlo Senkor", "alert"},
        BoxCase{"Warning", [](Dialogs& d) { d.confirmWarning("Emin misiniz?"); }, "UYARI",
                "alert"},
        BoxCase{"Error", [](Dialogs& d) { d.showError("Hata"); }, "Tavlo Senkor", "alert"},
        BoxCase{"FileDialog", [](Dialogs& d) { d.chooseFileToOpen(QDir::tempPath()); }, "Aç",
                "dialog"}),
    test::CaseName{});

// The program itself, started from an application folder of its own as an
// installation lays it out.
class RunningProgram : public testing::Test {
protected:
    RunningProgram()
    {
        user.registerControl();
        for (const char* file : {"tavlo-senkor", "sbxpc.ocx", "SBXPCDLL.dll", "SBPCCOMM.DLL",
                                 "GEN_FONT.dll", "regsvr32"}) {
            const QString name = QLatin1String(file);
            QFile::copy(QDir(test::UserFolders::binaryFolder()).filePath(name), app.file(name));
        }
        app.write("Cihazlar.Dat", kEmptyTerminalList);
    }

    ~RunningProgram() override
    {
        if (program.state() != QProcess::NotRunning) {
            program.kill();
            program.waitForFinished(kWindowMs);
        }
    }

    test::UserFolders user;
    test::TempFolder app;
    QProcess program;
};

TEST_F(RunningProgram, ItsMainWindowIsAFrameTitledExactlyByItsCaption)
{
    AccessibilityBus screenReader;
    program.setProcessChannelMode(QProcess::ForwardedChannels);
    program.setChildProcessModifier([] { ::prctl(PR_SET_PDEATHSIG, SIGKILL); });
    program.start(app.file("tavlo-senkor"), {});
    ASSERT_TRUE(program.waitForStarted(kWindowMs));
    const qint64 pid = program.processId();

    QList<quint32> windows;
    ASSERT_TRUE(QTest::qWaitFor(
        [&] {
            windows = test::x11::viewableWindowsOf(pid);
            return !windows.isEmpty() || program.state() == QProcess::NotRunning;
        },
        kWindowMs));
    ASSERT_EQ(windows.size(), 1) << "the program shows its main window and nothing else";
    const test::x11::Title title = test::x11::titleOf(windows.front());
    EXPECT_EQ(title.netWmName, QString::fromUtf8(kMainCaption));
    EXPECT_EQ(title.wmName, QString::fromUtf8(kMainCaption));

    const auto shown = screenReader.waitForWindow(pid, kMainCaption);
    ASSERT_TRUE(shown.has_value()) << "on the bus: " << listed(screenReader.windowsOf(pid));
    EXPECT_EQ(shown->role, QStringLiteral("frame"));

    // Closing the main window by its frame ends the program.
    test::x11::requestClose(windows.front());
    ASSERT_TRUE(program.waitForFinished(kWindowMs));
    EXPECT_EQ(program.exitStatus(), QProcess::NormalExit);
}

}  // namespace
}  // namespace tavlo
