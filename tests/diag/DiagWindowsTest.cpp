#include "app/Startup.h"
#include "app/ui/AnaForm.h"
#include "diag/TestButtons.h"
#include "diag/ui/MusveddeForm.h"
#include "emulator/TerminalState.h"
#include "store/DataModul.h"
#include "tests/emulator/EmulatorProcess.h"
#include "tests/support/RefusingPort.h"
#include "tests/support/ScriptedDialogs.h"
#include "tests/support/TempFolder.h"
#include "tests/terminal/LiveTerminal.h"

#include <QFile>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

#include <memory>

namespace tavlo::test {
namespace {

const QByteArray kUsers = "user\tenrolment\tprivilege\tenabled\tpassword\tdata\n"
                          "7\t0\t3\t1\t1111\t5,6\n";

class ScratchWindow : public testing::Test {
protected:
    ScratchWindow()
    {
        terminal.driver.setTimeouts(300, 2000);
        data.CihazTable.open();
        Table& t = data.CihazTable;
        t.append();
        t.set(Cihaz::BaglantiTipi, 3);  // USB in the list: the scratch window links over Ethernet
        t.set(Cihaz::MakineNo, LiveTerminal::kMachine);
        t.set(Cihaz::IPAdres, "127.0.0.1");
        t.set(Cihaz::Port, terminal.emulator->port());
        t.set(Cihaz::Parola, QString::number(LiveTerminal::kPassword));
        t.post();
        form = std::make_unique<TMusveddeForm>(context);
    }

    template <typename T>
    T* child(const char* name)
    {
        T* widget = form->findChild<T*>(QLatin1String(name));
        EXPECT_NE(widget, nullptr) << name;
        return widget;
    }

    void click(const char* name) { QTest::mouseClick(child<QPushButton>(name), Qt::LeftButton); }

    LiveTerminal terminal{{}, kUsers};
    ScriptedDialogs dialogs;
    TempFolder app;
    TDataModul data;
    ProgramContext context{data, app.withSeparator()};
    std::unique_ptr<TMusveddeForm> form;
};

TEST_F(ScratchWindow, ConnectThenDownloadSavesTheScratchFile)
{
    EXPECT_EQ(child<QLineEdit>("Edit3")->text(), app.file("Parmak-1-1.PDT"));
    click("Connectbuton");
    EXPECT_TRUE(child<QPlainTextEdit>("Memo1")->toPlainText().endsWith("Bağlantı kuruldu"));
    child<QLineEdit>("Edit1")->setText("7");
    click("DownLoadButon");
    EXPECT_EQ(dialogs.messages, QStringList{"354"});
    EXPECT_TRUE(app.read("Parmak-1-1.PDT").startsWith("7\r\n0\r\n3\r\n1111\r\n----------\r\n5\r\n6\r\n0\r\n"));
    EXPECT_TRUE(child<QPlainTextEdit>("TempEdit")->toPlainText().startsWith("7\n0\n3\n1111\n"));
    EXPECT_TRUE(dialogs.errors.isEmpty());
}

// The system's message, and nothing else changes.
TEST_F(ScratchWindow, AFileThatCannotBeWrittenShowsTheErrorOnly)
{
    click("Connectbuton");
    child<QLineEdit>("Edit1")->setText("7");
    child<QLineEdit>("Edit3")->setText(app.file("no-such-folder/x.PDT"));
    click("DownLoadButon");
    ASSERT_EQ(dialogs.errors.size(), 1);
    EXPECT_TRUE(dialogs.errors[0].contains("x.PDT"));
    EXPECT_EQ(child<QPlainTextEdit>("TempEdit")->toPlainText(), "TempEdit");
    EXPECT_TRUE(terminal.state().settings().keypadEnabled);
}

const QByteArray kRecords = "user\tmode\tyear\tmonth\tday\thour\tminute\tsecond\n"
                            "101\t0\t2024\t3\t1\t8\t5\t30\n";

// The real main window with its hidden buttons; "Aktarım Dene" reaches an
// emulator with password 0 through the driver's [Hosts] entry.
class HiddenButtons : public testing::Test {
protected:
    void create(const QByteArray& rows = {})
    {
        app.write("Cihazlar.Dat", "CihazNo\tCihazAdi\tMakineNo\tBaglantiTipi\tIPAdres\tParola\tPort\tIsaret\t"
                                  "Durum\tAciklama\tTransferDurumu\tComportNo\tGCTip\r\n" + rows);
        context = std::make_unique<ProgramContext>(data, app.withSeparator());
        form = std::make_unique<TAnaForm>(*context, probe);
        form->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
        ASSERT_TRUE(dialogs.errors.isEmpty()) << dialogs.errors.join('\n').toStdString();
    }

    QPushButton* button(const char* name) { return form->findChild<QPushButton*>(QLatin1String(name)); }
    QPlainTextEdit* kayitMemo() { return form->findChild<QPlainTextEdit*>("KayitMemo"); }

    void startEmulator()
    {
        user.registerControl();
        folder.write("records.tsv", kRecords);
        EmulatorProcess::runOnce({"--state", folder.file("state"), "--import-records", folder.file("records.tsv")});
        EmulatorProcess::Options options;
        options.stateFolder = folder.file("state");
        emulator = std::make_unique<EmulatorProcess>(options);
    }

    UserFolders user;
    DriverSettings driver{300, 2000};
    TempFolder folder;
    std::unique_ptr<EmulatorProcess> emulator;
    ScriptedDialogs dialogs;
    TempFolder app;
    TDataModul data;
    ControlProbe probe;
    std::unique_ptr<ProgramContext> context;
    std::unique_ptr<TAnaForm> form;
};

TEST_F(HiddenButtons, HiddenFromOperatorsShownToDevelopers)
{
    user.registerControl();
    for (const bool developer : {false, true}) {
        if (developer)
            qputenv(testbuttons::kDeveloperVariable, "1");
        create();
        for (const char* name : {"Button1", "Button2", "Button3", "Button4"})
            EXPECT_EQ(!button(name)->isHidden(), developer) << name;
        form.reset();
    }
    qunsetenv(testbuttons::kDeveloperVariable);
}

TEST_F(HiddenButtons, AktarimDeneShowsTheRecordsInItsMemo)
{
    startEmulator();
    driver.mapHost(QLatin1String(testbuttons::kFixedAddress), QStringLiteral("127.0.0.1:%1").arg(emulator->port()));
    create();
    QTest::mouseClick(button("Button1"), Qt::LeftButton);
    EXPECT_TRUE(kayitMemo()->isVisibleTo(form.get()));
    EXPECT_TRUE(kayitMemo()->toPlainText().endsWith("[0]- PER=101   ---------- 2024/03/01 - 08:05 "));
    EXPECT_EQ(emulator::TerminalState(folder.file("state")).settings().confirmed, 0u);
}

// The records it showed come again in the next transfer, which drops its
// link, and only that transfer confirms them.
TEST_F(HiddenButtons, ATransferAfterAktarimDeneGetsTheSameRecords)
{
    startEmulator();
    driver.mapHost(QLatin1String(testbuttons::kFixedAddress), QStringLiteral("127.0.0.1:%1").arg(emulator->port()));
    create("1\tKapi\t1\t1\t127.0.0.1\t0\t" + QByteArray::number(emulator->port()) + "\t1\t\t\t0\t\t0\r\n");
    QTest::mouseClick(button("Button1"), Qt::LeftButton);
    ASSERT_TRUE(kayitMemo()->toPlainText().contains("PER=101"));
    QTest::mouseClick(button("AktarButon"), Qt::LeftButton);
    EXPECT_TRUE(dialogs.errors.isEmpty()) << dialogs.errors.join('\n').toStdString();
    EXPECT_EQ(emulator::TerminalState(folder.file("state")).settings().confirmed, 1u);
    QFile movements(form->values().movementFilePath);
    ASSERT_TRUE(movements.open(QIODevice::ReadOnly)) << movements.fileName().toStdString();
    const QByteArray written = movements.readAll();
    EXPECT_FALSE(written.isEmpty());
    EXPECT_FALSE(written.contains("PER=")) << "the memo's lines never reach the movement file";
}

TEST_F(HiddenButtons, AktarimDeneAgainstNothingKeepsItsMemoHidden)
{
    user.registerControl();
    RefusingPort refusing;
    driver.mapHost(QLatin1String(testbuttons::kFixedAddress), QStringLiteral("127.0.0.1:%1").arg(refusing.port()));
    create();
    const QString before = kayitMemo()->toPlainText();
    QTest::mouseClick(button("Button1"), Qt::LeftButton);
    EXPECT_FALSE(kayitMemo()->isVisibleTo(form.get()));
    EXPECT_EQ(kayitMemo()->toPlainText(), before);
    EXPECT_TRUE(dialogs.errors.isEmpty()) << dialogs.errors.join('\n').toStdString();
}

}  // namespace
}  // namespace tavlo::test
