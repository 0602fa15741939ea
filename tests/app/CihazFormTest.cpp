// The terminal list kept through the real main window and the real terminal
// dialog: "Cihaz Ekle", "Düzenle", "Sil" and the dialog's two buttons.
#include "admin/ui/CihazForm.h"
#include "app/Startup.h"
#include "app/ui/AnaForm.h"
#include "platform/ui/BoundPickList.h"
#include "platform/ui/BoundSpinEdit.h"
#include "platform/ui/BoundTextEdit.h"
#include "store/DataModul.h"
#include "tests/support/CaseName.h"
#include "tests/support/PrintQt.h"
#include "tests/support/ScriptedDialogs.h"
#include "tests/support/TempFolder.h"
#include "tests/support/UserFolders.h"

#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace tavlo {
namespace {

const QByteArray kHeader =
    "CihazNo\tCihazAdi\tMakineNo\tBaglantiTipi\tIPAdres\tParola\tPort\tIsaret\tDurum\tAciklama\t"
    "TransferDurumu\tComportNo\tGCTip";
const QByteArray kKapi = "1\tGiri\xFE Kap\xFDs\xFD\t1\t1\t10.0.0.1\t0\t5005\t1\t\t\t0\t\t0";
const QByteArray kDepo = "2\tDepo\t2\t2\t\t\t3\t0\t\t\t0\t\t1";
const QByteArray kNewRow = "1\tCihaz1\t1\t1\t\t\t5005\t1\t\t\t\t\t0";

QByteArray lines(std::initializer_list<QByteArray> rows, const char* end)
{
    QByteArray text;
    for (const QByteArray& row : rows)
        text += row + end;
    return text;
}

// The list before a test, with bare line feeds: every save writes CR LF, so
// a write of the file shows in its bytes.
const QByteArray kListOnDisk = lines({kHeader, kKapi, kDepo}, "\n");

QStringList rowsOf(const Table& table)
{
    QStringList rows;
    for (int row = 0; row < table.rowCount(); ++row) {
        QStringList fields;
        for (int field = 0; field < static_cast<int>(table.fields().size()); ++field) {
            const QVariant value = table.value(row, field);
            fields << (value.isValid() ? value.toString() : QStringLiteral("-"));
        }
        rows << fields.join(u'|');
    }
    return rows;
}

int dialogsAlive()
{
    int count = 0;
    for (QWidget* widget : QApplication::allWidgets())
        count += qobject_cast<TCihazForm*>(widget) ? 1 : 0;
    return count;
}

// Types text as key presses, letters beyond Latin-1 too.
void type(QWidget* editor, const QString& text)
{
    for (const QChar letter : text)
        QTest::sendKeyEvent(QTest::Click, editor, Qt::Key_unknown, QString(letter), Qt::NoModifier);
}

using DialogAct = std::function<void(TCihazForm&)>;

class CihazFormTest : public testing::Test {
protected:
    CihazFormTest() { user.registerControl(); }

    void create(const QByteArray& list = kListOnDisk)
    {
        app.write("Cihazlar.Dat", list);
        context = std::make_unique<ProgramContext>(data, app.withSeparator());
        form = std::make_unique<TAnaForm>(*context, probe);
        form->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
        form->findChild<QTabWidget*>("Sayfalar")->setCurrentIndex(1);
        ASSERT_TRUE(dialogs.errors.isEmpty()) << dialogs.errors.join('\n').toStdString();
    }

    QPushButton* button(const char* name) const
    {
        auto* found = form->findChild<QPushButton*>(QLatin1String(name));
        if (!found)
            ADD_FAILURE() << "no button " << name;
        return found;
    }

    // Clicks a button of the page; `act` runs on the terminal dialog once
    // the handler has it up. A dialog that `act` leaves open is ended
    // without a decision, so that the test goes on.
    void clickWithDialog(const char* buttonName, const DialogAct& act)
    {
        bool seen = false;
        QTimer::singleShot(0, form.get(), [&] {
            auto* dialog = qobject_cast<TCihazForm*>(QApplication::activeModalWidget());
            if (!dialog) {
                ADD_FAILURE() << "no terminal dialog is up";
                return;
            }
            seen = true;
            opened = dialog;
            act(*dialog);
            if (opened && opened->isVisible()) {
                leftOpen = true;
                opened->done(QDialog::Rejected);
            }
        });
        button(buttonName)->click();
        // The dialog ran the act inside the click; otherwise it is due now.
        QCoreApplication::processEvents();
        EXPECT_TRUE(seen) << buttonName << " opened no dialog";
    }

    template <typename T>
    static T* in(TCihazForm& dialog, const char* name)
    {
        T* found = dialog.findChild<T*>(QLatin1String(name));
        if (!found)
            ADD_FAILURE() << "no control named " << name << " in the dialog";
        return found;
    }
    static void save(TCihazForm& dialog) { in<QPushButton>(dialog, "cxButton2")->click(); }
    static void cancel(TCihazForm& dialog) { in<QPushButton>(dialog, "cxButton1")->click(); }

    QByteArray onDisk() const { return app.read("Cihazlar.Dat"); }

    test::UserFolders user;
    test::TempFolder app;
    test::ScriptedDialogs dialogs;
    ControlProbe probe;
    TDataModul data;
    Table& terminals = data.CihazTable;
    std::unique_ptr<ProgramContext> context;
    std::unique_ptr<TAnaForm> form;
    QPointer<TCihazForm> opened;
    bool leftOpen = false;
};

// What the dialog's editors show, top to bottom.
QStringList shownBy(TCihazForm& dialog)
{
    QStringList shown;
    for (const char* name : {"CihazNoEdit", "CihazAdiEdit", "MakineNoEdit", "BaglantiTipiEdit",
                             "IPAdresEdit", "IPPortEdit", "ParolaEdit", "GCDurumEdit"}) {
        QWidget* editor = dialog.findChild<QWidget*>(QLatin1String(name));
        if (auto* text = qobject_cast<QLineEdit*>(editor))
            shown << text->text();
        else if (auto* spin = qobject_cast<QAbstractSpinBox*>(editor))
            shown << spin->text();
        else if (auto* list = qobject_cast<QComboBox*>(editor))
            shown << list->currentText();
        else
            shown << QStringLiteral("(no editor %1)").arg(QLatin1String(name));
    }
    return shown;
}

TEST_F(CihazFormTest, TheListButtonsAreEnabled)
{
    create();
    for (const char* name : {"CihazEkleButon", "CihazDuzenleButon", "CihazSilButon"}) {
        EXPECT_TRUE(button(name)->isEnabled()) << name;
        EXPECT_TRUE(button(name)->toolTip().isEmpty()) << name;
    }
}

TEST_F(CihazFormTest, CihazEkleOpensTheDialogOnANewRowWithANewTerminalsValues)
{
    create();
    terminals.moveTo(0);
    clickWithDialog("CihazEkleButon", [&](TCihazForm& dialog) {
        EXPECT_EQ(dialog.windowTitle(), "Cihaz Ekle / Düzenle");
        EXPECT_TRUE(dialog.isModal());
        EXPECT_EQ(dialog.parentWidget(), form.get());
        EXPECT_LE((dialog.frameGeometry().center() - form->frameGeometry().center()).manhattanLength(), 4)
            << "centred over the main window";

        QStringList labels;
        QStringList editors;
        int lastTop = -1;
        for (QLabel* label : dialog.findChildren<QLabel*>()) {
            labels << label->text();
            editors << (label->buddy() ? label->buddy()->objectName() : QStringLiteral("-"));
            EXPECT_GT(label->geometry().top(), lastTop) << "top to bottom";
            lastTop = label->geometry().top();
            ASSERT_NE(label->buddy(), nullptr);
            EXPECT_GT(label->buddy()->geometry().left(), label->geometry().left());
        }
        EXPECT_EQ(labels, (QStringList{"Cihaz No :", "Cihaz Adı :", "Makine No :", "Bağlantı Tipi :",
                                       "IP Adresi :", "Port:", "Parola :", "Gir-Çık Durumu :"}));
        EXPECT_EQ(editors, (QStringList{"CihazNoEdit", "CihazAdiEdit", "MakineNoEdit",
                                        "BaglantiTipiEdit", "IPAdresEdit", "IPPortEdit", "ParolaEdit",
                                        "GCDurumEdit"}));
        EXPECT_EQ(shownBy(dialog), (QStringList{"1", "Cihaz1", "1", "Ethernet", "", "5005", "",
                                                QStringLiteral("Giriş / Çıkış")}));
        EXPECT_EQ(in<QLineEdit>(dialog, "ParolaEdit")->echoMode(), QLineEdit::Normal);

        QPushButton* saveButton = in<QPushButton>(dialog, "cxButton2");
        QPushButton* cancelButton = in<QPushButton>(dialog, "cxButton1");
        EXPECT_EQ(saveButton->text(), "Kaydet ve Kapat");
        EXPECT_EQ(cancelButton->text(), QStringLiteral("İptal"));
        EXPECT_LT(saveButton->geometry().right(), cancelButton->geometry().left());
        EXPECT_GT(saveButton->geometry().top(), lastTop) << "below the editors";

        EXPECT_EQ(terminals.state(), Table::State::Insert);
        EXPECT_EQ(onDisk(), kListOnDisk) << "nothing is written before Kaydet";
        save(dialog);
    });
    EXPECT_FALSE(leftOpen);
    EXPECT_EQ(onDisk(), lines({kHeader, kKapi, kDepo, kNewRow}, "\r\n"));
    EXPECT_EQ(terminals.state(), Table::State::Browse);
    EXPECT_EQ(terminals.currentRow(), 2);
    EXPECT_TRUE(dialogs.errors.isEmpty()) << dialogs.errors.join('\n').toStdString();
}

TEST_F(CihazFormTest, PickListsOfferTheirDescriptions)
{
    create();
    clickWithDialog("CihazEkleButon", [&](TCihazForm& dialog) {
        const auto texts = [&](const char* name) {
            QStringList all;
            auto* list = in<QComboBox>(dialog, name);
            for (int i = 0; i < list->count(); ++i)
                all << list->itemText(i);
            return all;
        };
        EXPECT_EQ(texts("BaglantiTipiEdit"),
                  (QStringList{"Ethernet", "Comm Port", QStringLiteral("USB Bağlantısı")}));
        EXPECT_EQ(texts("GCDurumEdit"),
                  (QStringList{QStringLiteral("Giriş / Çıkış"), QStringLiteral("Giriş"),
                               QStringLiteral("Çıkış")}));
        cancel(dialog);
    });
}

TEST_F(CihazFormTest, TwoCihazEkleInARowGiveTwoRowsNumberedOne)
{
    create();
    clickWithDialog("CihazEkleButon", save);
    clickWithDialog("CihazEkleButon", save);
    EXPECT_EQ(onDisk(), lines({kHeader, kKapi, kDepo, kNewRow, kNewRow}, "\r\n"));
    ASSERT_EQ(terminals.rowCount(), 4);
    for (int row : {2, 3}) {
        terminals.moveTo(row);
        EXPECT_EQ(terminals.get(Cihaz::CihazNo), 1);
        EXPECT_EQ(terminals.get(Cihaz::CihazAdi), "Cihaz1");
        EXPECT_EQ(terminals.get(Cihaz::Isaret), 1);
        EXPECT_EQ(terminals.get(Cihaz::Port), 5005);
        EXPECT_EQ(terminals.get(Cihaz::MakineNo), 1);
    }
}

TEST_F(CihazFormTest, WhatIsTypedIntoTheDialogIsSaved)
{
    create();
    clickWithDialog("CihazEkleButon", [&](TCihazForm& dialog) {
        auto* number = in<BoundSpinEdit>(dialog, "CihazNoEdit");
        number->selectAll();
        QTest::keyClicks(number, "12");
        auto* name = in<QLineEdit>(dialog, "CihazAdiEdit");
        name->selectAll();
        type(name, QStringLiteral("Yemekhane Çıkışı"));
        auto* machine = in<BoundSpinEdit>(dialog, "MakineNoEdit");
        machine->stepBy(2);
        QTest::keyClick(in<QComboBox>(dialog, "BaglantiTipiEdit"), Qt::Key_Down);
        type(in<QLineEdit>(dialog, "IPAdresEdit"), "10.1.2.3");
        auto* port = in<BoundSpinEdit>(dialog, "IPPortEdit");
        port->selectAll();
        QTest::keyClicks(port, "3");
        type(in<QLineEdit>(dialog, "ParolaEdit"), "4321");
        QTest::keyClick(in<QComboBox>(dialog, "GCDurumEdit"), Qt::Key_End);
        EXPECT_EQ(shownBy(dialog), (QStringList{"12", QStringLiteral("Yemekhane Çıkışı"), "3",
                                                "Comm Port", "10.1.2.3", "3", "4321",
                                                QStringLiteral("Çıkış")}));
        save(dialog);
    });
    EXPECT_EQ(onDisk(),
              lines({kHeader, kKapi, kDepo,
                     "12\tYemekhane \xC7\xFDk\xFD\xFE\xFD\t3\t2\t10.1.2.3\t4321\t3\t1\t\t\t\t\t2"},
                    "\r\n"));
}

TEST_F(CihazFormTest, DuzenleShowsTheCurrentRowAndSavesItsChange)
{
    create();
    terminals.moveTo(1);
    clickWithDialog("CihazDuzenleButon", [&](TCihazForm& dialog) {
        EXPECT_EQ(terminals.state(), Table::State::Edit);
        EXPECT_EQ(shownBy(dialog),
                  (QStringList{"2", "Depo", "2", "Comm Port", "", "3", "", QStringLiteral("Giriş")}));
        type(in<QLineEdit>(dialog, "IPAdresEdit"), "/dev/ttyS0");
        save(dialog);
    });
    EXPECT_EQ(onDisk(), lines({kHeader, kKapi, "2\tDepo\t2\t2\t/dev/ttyS0\t\t3\t0\t\t\t0\t\t1"}, "\r\n"));
    EXPECT_EQ(terminals.currentRow(), 1);
}

TEST_F(CihazFormTest, DuzenleOnAnEmptyListStartsAnEmptyRowThatKaydetAdds)
{
    create(kHeader + "\n");
    clickWithDialog("CihazDuzenleButon", [&](TCihazForm& dialog) {
        EXPECT_EQ(terminals.state(), Table::State::Insert);
        EXPECT_EQ(shownBy(dialog), (QStringList{"", "", "", "", "", "", "", QStringLiteral("Giriş / Çıkış")}))
            << "none of a new terminal's values";
        save(dialog);
    });
    EXPECT_EQ(onDisk(), kHeader + "\r\n" + "\t\t\t\t\t\t\t\t\t\t\t\t0\r\n");
    EXPECT_EQ(terminals.rowCount(), 1);
}

// "İptal" after each way of opening the dialog, with changes typed in.
struct CancelCase {
    const char* name;
    const char* button;
    friend void PrintTo(const CancelCase& c, std::ostream* os) { *os << c.name; }
};

class CihazFormCancel : public CihazFormTest, public testing::WithParamInterface<CancelCase> {};

TEST_P(CihazFormCancel, LeavesTheListAndTheFileAsBefore)
{
    create();
    terminals.moveTo(1);
    const QStringList before = rowsOf(terminals);
    clickWithDialog(GetParam().button, [&](TCihazForm& dialog) {
        auto* name = in<QLineEdit>(dialog, "CihazAdiEdit");
        name->selectAll();
        type(name, "Yeni Ad");
        in<BoundSpinEdit>(dialog, "IPPortEdit")->stepBy(1);
        QTest::keyClick(in<QComboBox>(dialog, "GCDurumEdit"), Qt::Key_Down);
        EXPECT_NE(rowsOf(terminals), before) << "the typed change is in the row";
        cancel(dialog);
    });
    EXPECT_FALSE(leftOpen);
    EXPECT_EQ(rowsOf(terminals), before);
    EXPECT_EQ(terminals.currentRow(), 1);
    EXPECT_EQ(terminals.state(), Table::State::Browse);
    EXPECT_EQ(onDisk(), kListOnDisk);
}

INSTANTIATE_TEST_SUITE_P(Cases, CihazFormCancel,
                         testing::Values(CancelCase{"AfterAdding", "CihazEkleButon"},
                                         CancelCase{"AfterEditing", "CihazDuzenleButon"}),
                         test::CaseName{});

TEST_F(CihazFormTest, EscapeIsIptal)
{
    create();
    const QStringList before = rowsOf(terminals);
    clickWithDialog("CihazEkleButon",
                    [&](TCihazForm& dialog) { QTest::keyClick(&dialog, Qt::Key_Escape); });
    EXPECT_FALSE(leftOpen);
    EXPECT_EQ(rowsOf(terminals), before);
    EXPECT_EQ(terminals.state(), Table::State::Browse);
    EXPECT_EQ(onDisk(), kListOnDisk);
}

TEST_F(CihazFormTest, SilAnsweredNoChangesNothing)
{
    create();
    terminals.moveTo(0);
    const QStringList before = rowsOf(terminals);
    dialogs.nextWarningAnswers = {false};
    button("CihazSilButon")->click();
    EXPECT_EQ(dialogs.warnings, QStringList{QStringLiteral("Bu cihazı silmek istediğinizden emin misiniz?")});
    EXPECT_EQ(rowsOf(terminals), before);
    EXPECT_EQ(onDisk(), kListOnDisk);
}

TEST_F(CihazFormTest, SilAnsweredYesDeletesTheCurrentRowAndWritesTheList)
{
    create();
    terminals.moveTo(0);
    dialogs.nextWarningAnswers = {true};
    button("CihazSilButon")->click();
    EXPECT_EQ(dialogs.warnings.size(), 1);
    EXPECT_EQ(onDisk(), lines({kHeader, kDepo}, "\r\n"));
    EXPECT_EQ(terminals.get(Cihaz::CihazAdi), "Depo") << "the next row is current";
    EXPECT_TRUE(dialogs.errors.isEmpty()) << dialogs.errors.join('\n').toStdString();
}

TEST_F(CihazFormTest, SilOnAnEmptyListShowsThatItIsEmpty)
{
    create(kHeader + "\n");
    dialogs.nextWarningAnswers = {true};
    button("CihazSilButon")->click();
    EXPECT_EQ(dialogs.errors, QStringList{"CihazTable: Cannot perform this operation on an empty dataset"});
    EXPECT_EQ(onDisk(), kHeader + "\n");
}

TEST_F(CihazFormTest, AFailedSaveShowsTheErrorAndKeepsTheDialogOpen)
{
    create();
    const QString list = app.file("Cihazlar.Dat");
    clickWithDialog("CihazEkleButon", [&](TCihazForm& dialog) {
        type(in<QLineEdit>(dialog, "CihazAdiEdit"), "2");
        const auto writable = QFile::permissions(list);
        QFile::setPermissions(list, QFileDevice::ReadOwner | QFileDevice::ReadGroup);
        {
            test::ReadOnlyFolder readOnly(app.path());
            save(dialog);
        }
        QFile::setPermissions(list, writable);
        ASSERT_EQ(dialogs.errors.size(), 1);
        EXPECT_TRUE(dialogs.errors.front().contains(list)) << dialogs.errors.front().toStdString();
        EXPECT_TRUE(dialog.isVisible()) << "the dialog stays open";
        EXPECT_EQ(onDisk(), kListOnDisk) << "the file stays whole";
        EXPECT_EQ(terminals.state(), Table::State::Browse) << "the row is posted";

        // The operator goes on in the open dialog and saves again.
        type(in<QLineEdit>(dialog, "ParolaEdit"), "9");
        EXPECT_EQ(terminals.state(), Table::State::Edit);
        save(dialog);
        EXPECT_FALSE(dialog.isVisible());
    });
    EXPECT_FALSE(leftOpen);
    EXPECT_EQ(onDisk(), lines({kHeader, kKapi, kDepo, "1\tCihaz12\t1\t1\t\t9\t5005\t1\t\t\t\t\t0"}, "\r\n"));
    EXPECT_EQ(dialogs.errors.size(), 1);
}

TEST_F(CihazFormTest, ClosingTheDialogByItsFrameLeavesTheRowPendingAndWritesNothing)
{
    create();
    clickWithDialog("CihazEkleButon", [&](TCihazForm& dialog) {
        type(in<QLineEdit>(dialog, "CihazAdiEdit"), "X");
        dialog.close();
    });
    EXPECT_FALSE(leftOpen) << "the close ended the dialog";
    EXPECT_EQ(opened, nullptr) << "and the dialog is gone";
    EXPECT_EQ(terminals.state(), Table::State::Insert) << "nothing posted, nothing cancelled";
    EXPECT_EQ(terminals.rowCount(), 3);
    EXPECT_EQ(terminals.get(Cihaz::CihazAdi), "Cihaz1X");
    EXPECT_EQ(onDisk(), kListOnDisk);
    EXPECT_TRUE(dialogs.errors.isEmpty()) << dialogs.errors.join('\n').toStdString();

    // The next operation posts it, and the next save writes it.
    dialogs.nextWarningAnswers = {false};
    button("CihazSilButon")->click();
    EXPECT_EQ(terminals.state(), Table::State::Browse);
    EXPECT_EQ(onDisk(), kListOnDisk);
    clickWithDialog("CihazEkleButon", save);
    EXPECT_EQ(onDisk(), lines({kHeader, kKapi, kDepo, "1\tCihaz1X\t1\t1\t\t\t5005\t1\t\t\t\t\t0", kNewRow},
                              "\r\n"));
}

TEST_F(CihazFormTest, ClosingAnEditByTheFrameKeepsTheEditPending)
{
    create();
    terminals.moveTo(1);
    clickWithDialog("CihazDuzenleButon", [&](TCihazForm& dialog) {
        in<BoundSpinEdit>(dialog, "IPPortEdit")->stepBy(1);
        dialog.close();
    });
    EXPECT_EQ(terminals.state(), Table::State::Edit);
    EXPECT_EQ(terminals.get(Cihaz::Port), 4);
    EXPECT_EQ(onDisk(), kListOnDisk);

    // "Düzenle" again goes on from the posted row; "İptal" keeps what was posted.
    clickWithDialog("CihazDuzenleButon", [&](TCihazForm& dialog) {
        EXPECT_EQ(shownBy(dialog).at(5), "4");
        cancel(dialog);
    });
    EXPECT_EQ(terminals.get(Cihaz::Port), 4);
    EXPECT_EQ(onDisk(), kListOnDisk);
}

TEST_F(CihazFormTest, EachOpeningMakesAFreshDialogAndNoneIsLeftBehind)
{
    create();
    const int before = dialogsAlive();
    const std::function<void(TCihazForm&)> endings[] = {
        save, cancel, [](TCihazForm& dialog) { dialog.close(); },
        [](TCihazForm& dialog) { QTest::keyClick(&dialog, Qt::Key_Escape); }};
    for (int round = 0; round < 24; ++round) {
        const char* name = round % 2 ? "CihazDuzenleButon" : "CihazEkleButon";
        clickWithDialog(name, [&](TCihazForm& dialog) {
            EXPECT_EQ(dialogsAlive(), before + 1) << "one dialog, made for this opening";
            endings[round % 4](dialog);
        });
        EXPECT_EQ(opened, nullptr) << "destroyed when closed, round " << round;
        EXPECT_EQ(dialogsAlive(), before) << "round " << round;
    }
    EXPECT_FALSE(leftOpen);
    EXPECT_TRUE(dialogs.errors.isEmpty()) << dialogs.errors.join('\n').toStdString();
}

// While a run lets the window work between terminals, the list buttons do
// nothing: no dialog, no question, no change.
TEST_F(CihazFormTest, TheListButtonsDoNothingWhileARunIsGoingOn)
{
    // One ticked terminal that nothing answers: the run lets the window work
    // before it, then finds no link.
    create(lines({kHeader, "1\tKapali\t1\t1\t127.0.0.1\t0\t1\t1\t\t\t0\t\t0"}, "\n"));
    bool busy = false;
    QTimer::singleShot(0, form.get(), [&] {
        busy = form->terminalBusy();
        // A dialog that opened all the same is ended, so the run goes on.
        QTimer::singleShot(0, form.get(), [] {
            if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget()))
                dialog->done(QDialog::Rejected);
        });
        dialogs.nextWarningAnswers = {true};
        for (const char* name : {"CihazEkleButon", "CihazDuzenleButon", "CihazSilButon"})
            button(name)->click();
        EXPECT_EQ(terminals.state(), Table::State::Browse);
    });
    button("AktarButon")->click();
    ASSERT_TRUE(busy) << "the clicks did not come during the run";
    EXPECT_TRUE(dialogs.warnings.isEmpty());
    EXPECT_EQ(terminals.rowCount(), 1);
    terminals.first();
    EXPECT_EQ(terminals.get(Cihaz::CihazAdi), "Kapali");
    EXPECT_EQ(onDisk().left(kHeader.size()), kHeader);
    EXPECT_FALSE(onDisk().contains("\r\n")) << "not written";
}

}  // namespace
}  // namespace tavlo
