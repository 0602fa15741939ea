#include "platform/ui/BoundPickList.h"
#include "platform/ui/BoundSpinEdit.h"
#include "platform/ui/BoundTextEdit.h"
#include "store/DataModul.h"
#include "tests/support/PrintQt.h"
#include "tests/support/ScriptedDialogs.h"

#include <QApplication>
#include <QFocusEvent>
#include <QLineEdit>
#include <QTest>
#include <QVBoxLayout>
#include <gtest/gtest.h>

namespace tavlo {
namespace {

const QList<GridColumn::Value> kConnectionTypes = {
    {1, "Ethernet"}, {2, "Comm Port"}, {3, QStringLiteral("USB Bağlantısı")}};

// Editors on a window of their own over a list of two terminals, the first
// current.
class BoundEditorsTest : public testing::Test {
protected:
    BoundEditorsTest()
    {
        table.open();
        addTerminal(7, QStringLiteral("Kapı"), 2);
        addTerminal(8, "Depo", 9);
        table.first();
        window.setLayout(new QVBoxLayout);
    }

    void addTerminal(qint32 no, const QString& name, qint32 connection)
    {
        table.append();
        table.set(Cihaz::CihazNo, no);
        table.set(Cihaz::CihazAdi, name);
        table.set(Cihaz::BaglantiTipi, connection);
        table.post();
    }

    template <typename Editor>
    Editor* add(Editor* editor)
    {
        window.layout()->addWidget(editor);
        return editor;
    }

    void show()
    {
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    }

    BoundTextEdit* nameEdit() { return add(new BoundTextEdit(table, Cihaz::CihazAdi)); }
    BoundSpinEdit* numberEdit() { return add(new BoundSpinEdit(table, Cihaz::CihazNo)); }
    BoundPickList* typeList()
    {
        return add(new BoundPickList(table, Cihaz::BaglantiTipi, kConnectionTypes));
    }

    test::ScriptedDialogs dialogs;
    TDataModul data;
    Table& table = data.CihazTable;
    QWidget window;
};

TEST_F(BoundEditorsTest, EditorsShowTheCurrentRowWhenShownAndFollowItWhileShown)
{
    BoundTextEdit* name = nameEdit();
    BoundSpinEdit* number = numberEdit();
    BoundPickList* type = typeList();
    table.moveTo(1);
    show();
    EXPECT_EQ(name->text(), "Depo");
    EXPECT_EQ(number->text(), "8");
    EXPECT_EQ(type->currentIndex(), -1) << "9 is no value of the list";

    table.moveTo(0);
    EXPECT_EQ(name->text(), QStringLiteral("Kapı"));
    EXPECT_EQ(number->text(), "7");
    EXPECT_EQ(type->currentText(), "Comm Port");

    window.hide();
    table.moveTo(1);
    window.show();
    EXPECT_EQ(name->text(), "Depo") << "read again when shown";
    EXPECT_EQ(number->value(), 8);
}

TEST_F(BoundEditorsTest, TypedTextGoesIntoTheRowBeingEditedAtOnce)
{
    BoundTextEdit* name = nameEdit();
    show();
    table.edit();
    name->selectAll();
    QTest::keyClicks(name, "Ana");
    EXPECT_EQ(table.state(), Table::State::Edit);
    EXPECT_EQ(table.get(Cihaz::CihazAdi), "Ana");
    table.cancel();
    EXPECT_EQ(name->text(), QStringLiteral("Kapı")) << "a cancel shows the old value again";
}

TEST_F(BoundEditorsTest, TypingIntoABrowsingTableStartsEditingItsCurrentRow)
{
    BoundSpinEdit* number = numberEdit();
    show();
    ASSERT_EQ(table.state(), Table::State::Browse);
    QTest::keyClick(number, Qt::Key_End);
    QTest::keyClicks(number, "3");
    EXPECT_EQ(table.state(), Table::State::Edit);
    EXPECT_EQ(table.get(Cihaz::CihazNo), 73);
    EXPECT_EQ(table.rowCount(), 2);
}

TEST_F(BoundEditorsTest, TypingIntoAnEmptyTableInsertsARowAndKeepsWhatWasTyped)
{
    table.close();
    table.open();
    BoundTextEdit* name = nameEdit();
    BoundSpinEdit* number = numberEdit();
    show();
    QTest::keyClicks(name, "Yeni");
    EXPECT_EQ(table.state(), Table::State::Insert);
    EXPECT_EQ(table.rowCount(), 1);
    EXPECT_EQ(name->text(), "Yeni");
    EXPECT_EQ(table.get(Cihaz::CihazAdi), "Yeni");
    EXPECT_EQ(number->text(), "") << "the other editors show the new row";
}

TEST_F(BoundEditorsTest, AnEditorFollowsWhatAnotherWritesIntoTheSameRow)
{
    BoundTextEdit* first = nameEdit();
    BoundTextEdit* second = nameEdit();
    show();
    first->clear();
    QTest::keyClicks(first, "Arka");
    EXPECT_EQ(second->text(), "Arka");
}

TEST_F(BoundEditorsTest, TextTakesNoMoreThanTheFieldHoldsAndEmptyTextEmptiesIt)
{
    BoundTextEdit* name = nameEdit();
    EXPECT_EQ(name->maxLength(), 30);
    show();
    name->selectAll();
    QTest::keyClicks(name, QString(35, u'x'));
    EXPECT_EQ(name->text(), QString(30, u'x'));
    EXPECT_EQ(table.get(Cihaz::CihazAdi), QString(30, u'x'));

    name->selectAll();
    QTest::keyClick(name, Qt::Key_Delete);
    EXPECT_TRUE(table.isNull(Cihaz::CihazAdi.text()));
}

TEST_F(BoundEditorsTest, SpinEditorTakesAnyNumberOfTheFieldAndMayBeEmpty)
{
    BoundSpinEdit* number = numberEdit();
    show();
    number->selectAll();
    QTest::keyClick(number, Qt::Key_Delete);
    EXPECT_TRUE(table.isNull(Cihaz::CihazNo.text()));
    EXPECT_EQ(number->value(), std::nullopt);

    QTest::keyClick(number, Qt::Key_Minus);
    EXPECT_TRUE(table.isNull(Cihaz::CihazNo.text())) << "a lone sign writes nothing";
    QTest::keyClicks(number, "2147483648");
    EXPECT_EQ(number->text(), "-2147483648");
    EXPECT_EQ(table.get(Cihaz::CihazNo), std::numeric_limits<qint32>::min());

    number->selectAll();
    QTest::keyClicks(number, "2147483648");
    EXPECT_EQ(number->text(), "214748364") << "no digit past the field's range";
    EXPECT_EQ(table.get(Cihaz::CihazNo), 214748364);
    QTest::keyClicks(number, "x");
    EXPECT_EQ(number->text(), "214748364");
}

TEST_F(BoundEditorsTest, ALetterTheCodePageLacksShowsAsTheQuestionMarkTheFieldKeeps)
{
    BoundTextEdit* name = nameEdit();
    show();
    name->selectAll();
    for (const QChar letter : QStringLiteral("Şu→"))
        QTest::sendKeyEvent(QTest::Click, name, Qt::Key_unknown, QString(letter), Qt::NoModifier);
    EXPECT_EQ(table.get(Cihaz::CihazAdi), QStringLiteral("Şu?"));
    EXPECT_EQ(name->text(), QStringLiteral("Şu?"));
}

TEST_F(BoundEditorsTest, ANumberTypedAnotherWayStaysAsTypedUntilTheEditorIsLeft)
{
    BoundSpinEdit* number = numberEdit();
    show();
    number->selectAll();
    QTest::keyClicks(number, "-05");
    EXPECT_EQ(number->text(), "-05");
    EXPECT_EQ(table.get(Cihaz::CihazNo), -5);

    number->selectAll();
    QTest::keyClicks(number, "007");
    EXPECT_EQ(number->text(), "007");
    EXPECT_EQ(table.get(Cihaz::CihazNo), 7);
    QFocusEvent leave(QEvent::FocusOut, Qt::TabFocusReason);
    QApplication::sendEvent(number, &leave);
    EXPECT_EQ(number->text(), "7");
}

TEST_F(BoundEditorsTest, SpinEditorStepsFromItsValueAndAnEmptyOneFromNothing)
{
    BoundSpinEdit* number = numberEdit();
    show();
    QTest::keyClick(number, Qt::Key_Up);
    EXPECT_EQ(table.get(Cihaz::CihazNo), 8);
    number->stepBy(-10);
    EXPECT_EQ(number->text(), "-2");
    EXPECT_EQ(table.get(Cihaz::CihazNo), -2);

    number->clear();
    QTest::keyClick(number, Qt::Key_Delete);
    number->stepBy(1);
    EXPECT_EQ(table.get(Cihaz::CihazNo), 1);
}

TEST_F(BoundEditorsTest, SpinEditorOfASmallIntegerFieldHasThatRange)
{
    auto* type = add(new BoundSpinEdit(table, Cihaz::BaglantiTipi));
    auto* port = add(new BoundSpinEdit(table, Cihaz::Port));
    EXPECT_EQ(type->minimum(), -32768);
    EXPECT_EQ(type->maximum(), 32767);
    EXPECT_EQ(port->minimum(), std::numeric_limits<qint32>::min());
    EXPECT_EQ(port->maximum(), std::numeric_limits<qint32>::max());
    show();
    type->selectAll();
    QTest::keyClicks(type, "40000");
    EXPECT_EQ(table.get(Cihaz::BaglantiTipi), 4000);
    type->findChild<QLineEdit*>()->setText(QStringLiteral("32767"));
    type->stepBy(5);
    EXPECT_EQ(table.get(Cihaz::BaglantiTipi), 32767);
    EXPECT_TRUE(dialogs.errors.isEmpty()) << dialogs.errors.join('\n').toStdString();
}

TEST_F(BoundEditorsTest, SpinEditorLeftWithALoneSignShowsTheFieldAgain)
{
    BoundSpinEdit* number = numberEdit();
    show();
    number->selectAll();
    QTest::keyClick(number, Qt::Key_Minus);
    EXPECT_EQ(number->text(), "-");
    QFocusEvent leave(QEvent::FocusOut, Qt::TabFocusReason);
    QApplication::sendEvent(number, &leave);
    EXPECT_EQ(number->text(), "7");
    EXPECT_EQ(table.get(Cihaz::CihazNo), 7);
}

TEST_F(BoundEditorsTest, PickListShowsDescriptionsAndWritesTheChosenValue)
{
    BoundPickList* type = typeList();
    show();
    QStringList texts;
    for (int i = 0; i < type->count(); ++i)
        texts << type->itemText(i);
    EXPECT_EQ(texts, (QStringList{"Ethernet", "Comm Port", QStringLiteral("USB Bağlantısı")}));
    EXPECT_EQ(type->currentText(), "Comm Port");

    QTest::keyClick(type, Qt::Key_Down);
    EXPECT_EQ(type->currentText(), QStringLiteral("USB Bağlantısı"));
    EXPECT_EQ(table.state(), Table::State::Edit);
    EXPECT_EQ(table.get(Cihaz::BaglantiTipi), 3);

    type->setValue(1);
    EXPECT_EQ(type->currentText(), "Ethernet");
    EXPECT_EQ(table.get(Cihaz::BaglantiTipi), 1);
    EXPECT_THROW(type->setValue(4), Error);
    EXPECT_EQ(table.get(Cihaz::BaglantiTipi), 1);
}

TEST_F(BoundEditorsTest, AnEmptyFieldShowsNoChoice)
{
    BoundPickList* type = typeList();
    show();
    table.edit();
    table.setNull(Cihaz::BaglantiTipi.text());
    EXPECT_EQ(type->currentIndex(), -1);
    EXPECT_EQ(type->value(), std::nullopt);
}

TEST_F(BoundEditorsTest, AWriteTheTableRefusesShowsTheErrorAndTheFieldAgain)
{
    BoundTextEdit* name = nameEdit();
    show();
    table.close();
    QTest::keyClicks(name, "x");
    EXPECT_EQ(dialogs.errors,
              QStringList{"CihazTable: Cannot perform this operation on a closed dataset"});
    EXPECT_EQ(name->text(), "");
}

}  // namespace
}  // namespace tavlo
