// Closing the main window by its frame while a transfer reads, on a real X
// server against two real terminal emulators.
#include "app/Startup.h"
#include "app/ui/AnaForm.h"
#include "store/DataModul.h"
#include "store/TableListener.h"
#include "tests/emulator/DriverSettings.h"
#include "tests/emulator/EmulatorProcess.h"
#include "tests/platform_ui/X11Windows.h"
#include "tests/support/PrintQt.h"
#include "tests/support/ScriptedDialogs.h"
#include "tests/support/TempFolder.h"
#include "tests/support/UserFolders.h"
#include "transfer/TransferStatus.h"

#include <QEvent>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

#include <array>
#include <memory>

namespace tavlo {
namespace {

// Enough records that a read repaints its row many times.
constexpr int kRecordsPerTerminal = 600;

// One terminal's log: kRecordsPerTerminal entries of distinct users, one a
// minute from midnight, users counting from `firstUser`.
QByteArray recordsFile(int firstUser)
{
    QByteArray text = "user\tmode\tyear\tmonth\tday\thour\tminute\tsecond\n";
    for (int i = 0; i < kRecordsPerTerminal; ++i)
        text += QByteArray::number(firstUser + i) + "\t1\t2024\t3\t5\t"
                + QByteArray::number(i / 60) + '\t' + QByteArray::number(i % 60) + "\t0\n";
    return text;
}

// The movement lines those records give on the terminal numbered so.
QString movementLines(int terminal, int firstUser)
{
    QString lines;
    for (int i = 0; i < kRecordsPerTerminal; ++i)
        lines += QStringLiteral("%1,%2,1,2024/03/05,%3:%4:00,1\r\n")
                     .arg(terminal, 3, 10, QChar('0'))
                     .arg(firstUser + i, 6, 10, QChar('0'))
                     .arg(i / 60, 2, 10, QChar('0'))
                     .arg(i % 60, 2, 10, QChar('0'));
    return lines;
}

// Watches a run: writes down whether the window stayed up at every change
// of a row, closes the window by its frame once the first terminal's read
// is under way, and notes which terminal was in hand when the close came.
class CloseWhileReading final : public QObject, public TableListener {
public:
    CloseWhileReading(TAnaForm& form, Table& terminals) : form_(form), terminals_(terminals)
    {
        terminals_.addListener(this);
        form_.installEventFilter(this);
    }
    ~CloseWhileReading() override
    {
        form_.removeEventFilter(this);
        terminals_.removeListener(this);
    }
    CloseWhileReading(const CloseWhileReading&) = delete;
    CloseWhileReading& operator=(const CloseWhileReading&) = delete;

    void rowsChanged(int first, int last) override
    {
        shownThroughout = shownThroughout && form_.isVisible();
        const int status = *terminals_.findField("Aciklama");
        const int progress = *terminals_.findField("TransferDurumu");
        for (int row = first; row <= last; ++row) {
            if (terminals_.value(row, status).toString()
                == QString::fromUtf8(TransferStatus::kLinking))
                begun_ = row;
            if (!closeSent && row == 0 && terminals_.value(row, progress).toInt() > 0) {
                test::x11::requestClose(form_.winId());
                closeSent = true;
            }
        }
    }

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched == &form_ && event->type() == QEvent::Close && !closeSeen) {
            closeSeen = true;
            busyAtClose = form_.terminalBusy();
            inHandAtClose = begun_;
        }
        return false;
    }

    bool closeSent = false;
    bool closeSeen = false;
    bool busyAtClose = false;
    int inHandAtClose = -1;  // the row last begun
    bool shownThroughout = true;

private:
    TAnaForm& form_;
    Table& terminals_;
    int begun_ = -1;
};

class AnaFormCloseTest : public testing::Test {
protected:
    AnaFormCloseTest()
    {
        user.registerControl();
        QByteArray list = "CihazNo\tCihazAdi\tMakineNo\tBaglantiTipi\tIPAdres\tParola\tPort\tIsaret\t"
                          "Durum\tAciklama\tTransferDurumu\tComportNo\tGCTip\r\n";
        for (int i = 0; i < 2; ++i) {
            terminalFolders[i].write("records.tsv", recordsFile(kFirstUsers[i]));
            test::EmulatorProcess::runOnce({"--state", terminalFolders[i].file("state"),
                                            "--import-records",
                                            terminalFolders[i].file("records.tsv")});
            test::EmulatorProcess::Options options;
            options.stateFolder = terminalFolders[i].file("state");
            options.machine = 7;
            options.password = 55;
            emulators[i] = std::make_unique<test::EmulatorProcess>(options);
            list += QByteArray::number(i + 1) + "\tKapi" + QByteArray::number(i + 1)
                    + "\t7\t1\t127.0.0.1\t55\t" + QByteArray::number(emulators[i]->port())
                    + "\t1\t\t\t0\t\t0\r\n";
        }
        app.write("Cihazlar.Dat", list);
    }

    ~AnaFormCloseTest() override { endProgram(); }

    // Starts the program's main window on the application folder, as a
    // start of the program does.
    void startProgram()
    {
        data = std::make_unique<TDataModul>();
        context = std::make_unique<ProgramContext>(*data, app.withSeparator());
        form = std::make_unique<TAnaForm>(*context, probe);
        form->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
    }

    void endProgram()
    {
        form.reset();
        data.reset();
    }

    void transfer() { form->findChild<QPushButton*>("AktarButon")->click(); }

    QString statusOf(int row)
    {
        data->CihazTable.moveTo(row);
        return data->CihazTable.asString("Aciklama");
    }
    qint32 progressOf(int row)
    {
        data->CihazTable.moveTo(row);
        return data->CihazTable.asInteger("TransferDurumu");
    }
    QString movementFile() const { return QString::fromLatin1(app.read("Hareketler.txt")); }

    static constexpr std::array<int, 2> kFirstUsers{1000, 5000};

    test::UserFolders user;
    test::DriverSettings driver{1000, 5000};
    std::array<test::TempFolder, 2> terminalFolders;
    std::array<std::unique_ptr<test::EmulatorProcess>, 2> emulators;
    test::TempFolder app;
    test::ScriptedDialogs dialogs;
    ControlProbe probe;
    std::unique_ptr<TDataModul> data;
    std::unique_ptr<ProgramContext> context;
    std::unique_ptr<TAnaForm> form;
};

TEST_F(AnaFormCloseTest, ACloseDuringAReadFinishesTheTerminalInHandThenClosesTheWindow)
{
    startProgram();
    int inHand = -1;
    {
        CloseWhileReading watch(*form, data->CihazTable);
        transfer();
        ASSERT_TRUE(watch.closeSent) << "the first terminal's read never began";
        ASSERT_TRUE(watch.closeSeen) << "the close request never reached the window";
        EXPECT_TRUE(watch.busyAtClose) << "the close came after the run";
        EXPECT_TRUE(watch.shownThroughout) << "the window went away under the run";
        inHand = watch.inHandAtClose;
    }
    EXPECT_TRUE(dialogs.errors.isEmpty()) << dialogs.errors.join('\n').toStdString();
    EXPECT_FALSE(form->isVisible()) << "the window did not close after the run";
    EXPECT_FALSE(form->terminalBusy());
    EXPECT_FALSE(form->endRequested());

    // The terminal in hand was finished; none after it was begun.
    ASSERT_GE(inHand, 0) << "the close came while no terminal was read";
    EXPECT_EQ(statusOf(inHand), QString::fromUtf8(TransferStatus::kCompleted));
    EXPECT_EQ(progressOf(inHand), 100);
    QString saved;
    for (int row = 0; row <= inHand; ++row)
        saved += movementLines(row + 1, kFirstUsers[row]);
    for (int row = inHand + 1; row < 2; ++row)
        EXPECT_EQ(statusOf(row), QString()) << "terminal " << row + 1 << " was begun";
    EXPECT_EQ(movementFile(), saved);

    // The next start and run bring what is left, and nothing twice.
    endProgram();
    startProgram();
    transfer();
    EXPECT_TRUE(dialogs.errors.isEmpty()) << dialogs.errors.join('\n').toStdString();
    EXPECT_EQ(statusOf(0), QString::fromUtf8(TransferStatus::kCompleted));
    EXPECT_EQ(statusOf(1), QString::fromUtf8(TransferStatus::kCompleted));
    EXPECT_EQ(movementFile(), movementLines(1, kFirstUsers[0]) + movementLines(2, kFirstUsers[1]));
    EXPECT_TRUE(form->isVisible());
}

}  // namespace
}  // namespace tavlo
