// Closing the terminal dialog by its frame on a real X server, as a window
// manager does: the dialog ends, the row stays pending, nothing is written.
#include "admin/ui/CihazForm.h"
#include "app/Startup.h"
#include "app/ui/AnaForm.h"
#include "store/DataModul.h"
#include "tests/platform_ui/X11Windows.h"
#include "tests/support/PrintQt.h"
#include "tests/support/ScriptedDialogs.h"
#include "tests/support/TempFolder.h"
#include "tests/support/UserFolders.h"

#include <QApplication>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <memory>

namespace tavlo {
namespace {

// The list on disk, with bare line feeds: a save would write CR LF.
const QByteArray kList =
    "CihazNo\tCihazAdi\tMakineNo\tBaglantiTipi\tIPAdres\tParola\tPort\tIsaret\tDurum\tAciklama\t"
    "TransferDurumu\tComportNo\tGCTip\n"
    "2\tDepo\t2\t2\t\t\t3\t0\t\t\t0\t\t1\n";
// A dialog of a program that runs appears and goes in well under a second;
// this only bounds one that never does.
constexpr int kWindowMs = 20000;

class CihazFormFrameTest : public testing::Test {
protected:
    CihazFormFrameTest()
    {
        user.registerControl();
        app.write("Cihazlar.Dat", kList);
        context = std::make_unique<ProgramContext>(data, app.withSeparator());
        form = std::make_unique<TAnaForm>(*context, probe);
        form->show();
    }

    // Clicks the button and closes the dialog it opens by the dialog's frame.
    void clickAndCloseByTheFrame(const char* buttonName)
    {
        QTimer::singleShot(0, form.get(), [this] {
            dialog = qobject_cast<TCihazForm*>(QApplication::activeModalWidget());
            if (!dialog || !QTest::qWaitForWindowExposed(dialog, kWindowMs)) {
                ADD_FAILURE() << "no terminal dialog was shown";
                return;
            }
            test::x11::requestClose(dialog->winId());
            closed = QTest::qWaitFor([this] { return !dialog || !dialog->isVisible(); }, kWindowMs);
            if (!closed && dialog)
                dialog->done(QDialog::Rejected);
        });
        form->findChild<QPushButton*>(QLatin1String(buttonName))->click();
    }

    test::UserFolders user;
    test::TempFolder app;
    test::ScriptedDialogs dialogs;
    ControlProbe probe;
    TDataModul data;
    Table& terminals = data.CihazTable;
    std::unique_ptr<ProgramContext> context;
    std::unique_ptr<TAnaForm> form;
    QPointer<TCihazForm> dialog;
    bool closed = false;
};

TEST_F(CihazFormFrameTest, AnAddedRowStaysPendingAndNothingIsWritten)
{
    clickAndCloseByTheFrame("CihazEkleButon");
    ASSERT_TRUE(closed) << "the frame's close did not end the dialog";
    EXPECT_EQ(dialog, nullptr) << "the dialog is destroyed once closed";
    EXPECT_EQ(terminals.state(), Table::State::Insert);
    EXPECT_EQ(terminals.rowCount(), 2);
    EXPECT_EQ(terminals.get(Cihaz::CihazAdi), "Cihaz1");
    EXPECT_EQ(app.read("Cihazlar.Dat"), kList);
    EXPECT_TRUE(dialogs.errors.isEmpty()) << dialogs.errors.join('\n').toStdString();
}

TEST_F(CihazFormFrameTest, AnEditedRowStaysPendingAndNothingIsWritten)
{
    clickAndCloseByTheFrame("CihazDuzenleButon");
    ASSERT_TRUE(closed) << "the frame's close did not end the dialog";
    EXPECT_EQ(dialog, nullptr);
    EXPECT_EQ(terminals.state(), Table::State::Edit);
    EXPECT_EQ(terminals.rowCount(), 1);
    EXPECT_EQ(app.read("Cihazlar.Dat"), kList);
}

}  // namespace
}  // namespace tavlo
