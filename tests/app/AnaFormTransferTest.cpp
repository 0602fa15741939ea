#include "app/Startup.h"
#include "app/ui/AnaForm.h"
#include "store/DataModul.h"
#include "store/TableListener.h"
#include "tests/emulator/DriverSettings.h"
#include "tests/emulator/EmulatorProcess.h"
#include "tests/support/PrintQt.h"
#include "tests/support/RefusingPort.h"
#include "tests/support/ScriptedDialogs.h"
#include "tests/support/TempFolder.h"
#include "tests/support/UserFolders.h"

#include <QDir>
#include <QMap>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QWindow>
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <utility>

namespace tavlo {
namespace {

const QByteArray kRecords =
    "user\tmode\tyear\tmonth\tday\thour\tminute\tsecond\n"
    "123\t1\t2024\t3\t5\t8\t7\t0\n"
    "123\t1281\t2024\t3\t5\t17\t30\t0\n"
    "4567\t1\t2024\t3\t6\t24\t0\t0\n"
    "4567\t1\t1950\t3\t6\t9\t0\t0\n";

// Writes down every status text a row is given, once per change.
class StatusLog final : public TableListener {
public:
    explicit StatusLog(Table& table) : table_(table) { table_.addListener(this); }
    ~StatusLog() override { table_.removeListener(this); }
    StatusLog(const StatusLog&) = delete;
    StatusLog& operator=(const StatusLog&) = delete;

    void rowsChanged(int first, int last) override
    {
        const int field = *table_.findField("Aciklama");
        for (int row = first; row <= last; ++row) {
            const QString text = table_.value(row, field).toString();
            if (!text.isEmpty() && last_.value(row) != text)
                texts << QString("%1 %2").arg(row).arg(text);
            last_[row] = text;
        }
    }

    QStringList texts;

private:
    Table& table_;
    QMap<int, QString> last_;
};

// Notes when the window is asked to close: whether a run was going on, and
// the first row's progress then.
class CloseWatch final : public QObject {
public:
    CloseWatch(TAnaForm& form, Table& terminals) : form_(form), terminals_(terminals)
    {
        form_.installEventFilter(this);
    }
    ~CloseWatch() override { form_.removeEventFilter(this); }
    CloseWatch(const CloseWatch&) = delete;
    CloseWatch& operator=(const CloseWatch&) = delete;

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched == &form_ && event->type() == QEvent::Close && !seen) {
            seen = true;
            busy = form_.terminalBusy();
            firstRowProgress = terminals_.value(0, *terminals_.findField("TransferDurumu")).toInt();
        }
        return false;
    }

    bool seen = false;
    bool busy = false;
    int firstRowProgress = -1;

private:
    TAnaForm& form_;
    Table& terminals_;
};

// Calls back once the first row's read has brought progress.
class FirstProgress final : public TableListener {
public:
    FirstProgress(Table& table, std::function<void()> then) : table_(table), then_(std::move(then))
    {
        table_.addListener(this);
    }
    ~FirstProgress() override { table_.removeListener(this); }
    FirstProgress(const FirstProgress&) = delete;
    FirstProgress& operator=(const FirstProgress&) = delete;

    void rowsChanged(int first, int) override
    {
        if (then_ && first == 0 && table_.value(0, *table_.findField("TransferDurumu")).toInt() > 0)
            std::exchange(then_, nullptr)();
    }

private:
    Table& table_;
    std::function<void()> then_;
};

class AnaFormTransferTest : public testing::Test {
protected:
    AnaFormTransferTest()
    {
        user.registerControl();
        terminalFolder.write("records.tsv", kRecords);
        test::EmulatorProcess::runOnce({"--state", terminalFolder.file("state"), "--import-records",
                                        terminalFolder.file("records.tsv")});
        test::EmulatorProcess::Options options;
        options.stateFolder = terminalFolder.file("state");
        options.machine = 7;
        options.password = 55;
        emulator = std::make_unique<test::EmulatorProcess>(options);

        const QByteArray port = QByteArray::number(emulator->port());
        const QByteArray off = QByteArray::number(switchedOff.port());
        app.write("Cihazlar.Dat",
                  "CihazNo\tCihazAdi\tMakineNo\tBaglantiTipi\tIPAdres\tParola\tPort\tIsaret\tDurum\t"
                  "Aciklama\tTransferDurumu\tComportNo\tGCTip\r\n"
                  "1\tKapi\t7\t1\t127.0.0.1\t55\t" + port + "\t1\t\t\t0\t\t0\r\n"
                  "2\tKapali\t7\t1\t127.0.0.1\t55\t" + off + "\t1\t\t\t0\t\t0\r\n"
                  "3\tSecilmedi\t7\t1\t127.0.0.1\t55\t" + port + "\t0\t\t\t0\t\t0\r\n");
        context = std::make_unique<ProgramContext>(data, app.withSeparator());
        form = std::make_unique<TAnaForm>(*context, probe);
        form->show();
    }

    QString statusOf(int row)
    {
        data.CihazTable.moveTo(row);
        return data.CihazTable.asString("Aciklama");
    }
    qint32 progressOf(int row)
    {
        data.CihazTable.moveTo(row);
        return data.CihazTable.asInteger("TransferDurumu");
    }
    QPushButton* transferButton() { return form->findChild<QPushButton*>("AktarButon"); }
    QPushButton* closeButton() { return form->findChild<QPushButton*>("cxButton1"); }

    test::UserFolders user;
    test::DriverSettings driver{1000, 2000};
    test::TempFolder terminalFolder;
    std::unique_ptr<test::EmulatorProcess> emulator;
    test::RefusingPort switchedOff;
    test::TempFolder app;
    test::ScriptedDialogs dialogs;
    ControlProbe probe;
    TDataModul data;
    std::unique_ptr<ProgramContext> context;
    std::unique_ptr<TAnaForm> form;
};

TEST_F(AnaFormTransferTest, AClickTransfersTheTickedTerminalsAndShowsEachOutcome)
{
    // The run names the backup file after the day it starts on; a run across
    // midnight may have taken either day.
    const QDate before = QDate::currentDate();
    transferButton()->click();
    const QDate after = QDate::currentDate();

    EXPECT_TRUE(dialogs.errors.isEmpty()) << dialogs.errors.join('\n').toStdString();
    EXPECT_EQ(statusOf(0), QStringLiteral("Aktarım Tamamlandı"));
    EXPECT_EQ(progressOf(0), 100);
    EXPECT_EQ(statusOf(1), QStringLiteral("Bağlantı kurulamadı"));
    EXPECT_EQ(progressOf(1), 0);
    EXPECT_EQ(statusOf(2), "");
    EXPECT_EQ(progressOf(2), 0);
    const QByteArray lines = "001,000123,1,2024/03/05,08:07:00,1\r\n"
                             "001,000123,0,2024/03/05,17:30:00,1\r\n"
                             "001,004567,1,2024/03/06,24:00:00,1\r\n";
    EXPECT_EQ(app.read("Hareketler.txt"), lines);
    const QStringList backups = QDir(app.file("Backup")).entryList(QDir::Files);
    ASSERT_EQ(backups.size(), 1) << backups.join(' ').toStdString();
    const QDate day = QDate::fromString(backups.front(), "yyyy-MM-dd'.txt'");
    EXPECT_TRUE(day == before || day == after) << backups.front().toStdString();
    EXPECT_EQ(app.read("Backup/" + backups.front()), lines);
    EXPECT_FALSE(form->terminalBusy());

    // The records were confirmed: the next run finds none of them new.
    transferButton()->click();
    EXPECT_EQ(statusOf(0), QStringLiteral("Aktarım Tamamlandı"));
    EXPECT_EQ(progressOf(0), 0);
    EXPECT_EQ(app.read("Hareketler.txt"), lines);
}

TEST_F(AnaFormTransferTest, ASecondClickWhileARunLetsTheWindowWorkDoesNothing)
{
    StatusLog log(data.CihazTable);
    bool clickedDuringRun = false;
    QTimer::singleShot(0, form.get(), [&] {
        clickedDuringRun = form->terminalBusy();
        transferButton()->click();
    });
    transferButton()->click();

    ASSERT_TRUE(clickedDuringRun) << "the second click did not come while the run was busy";
    EXPECT_EQ(log.texts.filter(QStringLiteral("Baglantı Kuruluyor")),
              (QStringList{QStringLiteral("0 Baglantı Kuruluyor"),
                           QStringLiteral("1 Baglantı Kuruluyor")}));
    EXPECT_EQ(app.read("Hareketler.txt").count('\n'), 3);
}

TEST_F(AnaFormTransferTest, ACloseHandledByARepaintWaitsForTheTerminalInHand)
{
    CloseWatch watch(*form, data.CihazTable);
    // The window system's close of the window, handled by the next repaint
    // of the first terminal's read.
    FirstProgress midRead(data.CihazTable, [this] {
        QTimer::singleShot(0, form.get(), [this] { form->windowHandle()->close(); });
    });
    transferButton()->click();

    ASSERT_TRUE(watch.seen) << "no close came";
    EXPECT_TRUE(watch.busy);
    EXPECT_GT(watch.firstRowProgress, 0);
    EXPECT_LT(watch.firstRowProgress, 100) << "the close did not come during the read";
    EXPECT_EQ(statusOf(0), QStringLiteral("Aktarım Tamamlandı"));
    EXPECT_EQ(app.read("Hareketler.txt").count('\n'), 3);
    EXPECT_EQ(statusOf(1), QString()) << "the run went on to the next terminal";
    EXPECT_FALSE(form->isVisible()) << "the window did not close after the run";
    EXPECT_FALSE(form->endRequested());
}

TEST_F(AnaFormTransferTest, KapatDuringARunEndsTheProgramWhenTheRunHasStopped)
{
    // The program's message loop runs; it ends only when the program is
    // asked to end, which Qt does with a Quit event.
    QObject scope;
    bool quitAsked = false;
    struct QuitFilter final : QObject {
        explicit QuitFilter(bool& asked) : asked_(asked) {}
        bool eventFilter(QObject*, QEvent* event) override
        {
            if (event->type() == QEvent::Quit)
                asked_ = true;
            return false;
        }
        bool& asked_;
    } quitFilter(quitAsked);
    qApp->installEventFilter(&quitFilter);

    bool pressedWhileBusy = false;
    bool askedDuringRun = false;
    QTimer::singleShot(0, &scope, [&] {
        // Comes while the run lets the window work, before its first terminal.
        QTimer::singleShot(0, &scope, [&] {
            pressedWhileBusy = form->terminalBusy();
            closeButton()->click();
            askedDuringRun = quitAsked;
        });
        transferButton()->click();
        // A loop that was not asked to end is ended here, with another code.
        if (!quitAsked)
            QCoreApplication::exit(1);
    });
    const int result = QCoreApplication::exec();
    qApp->removeEventFilter(&quitFilter);

    EXPECT_EQ(result, 0) << "the program was not asked to end";
    EXPECT_TRUE(pressedWhileBusy) << "Kapat was not pressed during the run";
    EXPECT_FALSE(askedDuringRun) << "the program was asked to end under the run";
    EXPECT_EQ(statusOf(0), QString()) << "the run went on after Kapat";
    EXPECT_EQ(app.read("Hareketler.txt"), "");
    EXPECT_FALSE(form->isVisible());
}

}  // namespace
}  // namespace tavlo
