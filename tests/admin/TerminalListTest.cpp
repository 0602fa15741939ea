#include "admin/TerminalList.h"
#include "store/DataModul.h"
#include "store/TableListener.h"
#include "tests/support/CaseName.h"
#include "tests/support/PrintQt.h"
#include "tests/support/ScriptedDialogs.h"
#include "tests/support/TempFolder.h"

#include <QFile>
#include <gtest/gtest.h>

#include <functional>

namespace tavlo::test {
namespace {

const QByteArray kHeader =
    "CihazNo\tCihazAdi\tMakineNo\tBaglantiTipi\tIPAdres\tParola\tPort\tIsaret\tDurum\tAciklama\t"
    "TransferDurumu\tComportNo\tGCTip";
const QByteArray kKapi = "7\tKap\xFD\t3\t1\t10.0.0.1\t42\t4370\t1\t\t\t0\t\t0";
const QByteArray kDepo = "8\tDepo\t4\t2\t\t\t3\t0\t\t\t0\t\t1";
// The row "Cihaz Ekle" makes, as a save writes it.
const QByteArray kNewRow = "1\tCihaz1\t1\t1\t\t\t5005\t1\t\t\t\t\t0\r\n";

QByteArray lines(std::initializer_list<QByteArray> rows, const char* end)
{
    QByteArray text;
    for (const QByteArray& row : rows)
        text += row + end;
    return text;
}

// The list on disk before a test, with bare line feeds: a save writes CR LF,
// so any write of the file shows in its bytes.
const QByteArray kListOnDisk = lines({kHeader, kKapi, kDepo}, "\n");
const QByteArray kListSaved = lines({kHeader, kKapi, kDepo}, "\r\n");

// Every row's stored fields, "-" for an empty one, read without moving the
// table or settling a pending row.
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

class TerminalListTest : public testing::Test {
protected:
    TerminalListTest() { load(kListOnDisk); }

    void load(const QByteArray& content)
    {
        app.write("Cihazlar.Dat", content);
        terminals.open();
        terminals.LoadTableFile(file);
    }

    QByteArray onDisk() const { return app.read("Cihazlar.Dat"); }

    TempFolder app;
    ScriptedDialogs dialogs;
    TDataModul data;
    Table& terminals = data.CihazTable;
    QString file = app.file("Cihazlar.Dat");
    TerminalList list{terminals, file};
};

// Writes down the set fields of the last row after every change of it.
class NewRowSteps final : public TableListener {
public:
    explicit NewRowSteps(Table& table) : table_(table) { table_.addListener(this); }
    ~NewRowSteps() override { table_.removeListener(this); }
    NewRowSteps(const NewRowSteps&) = delete;
    NewRowSteps& operator=(const NewRowSteps&) = delete;

    void rowsChanged(int /*first*/, int last) override
    {
        QStringList set;
        for (int field = 0; field < static_cast<int>(table_.fields().size()); ++field) {
            const QVariant value = table_.value(last, field);
            if (value.isValid())
                set << table_.fields()[field].name + '=' + value.toString();
        }
        steps << set.join(u' ');
    }

    QStringList steps;

private:
    Table& table_;
};

TEST_F(TerminalListTest, AddGivesTheNewRowItsValuesInTheirOrderAndWritesNothing)
{
    terminals.moveTo(0);
    NewRowSteps watch(terminals);
    list.beginAdd();
    EXPECT_EQ(watch.steps,
              (QStringList{
                  "BaglantiTipi=1 GCTip=0",
                  "BaglantiTipi=1 Port=5005 GCTip=0",
                  "CihazNo=1 BaglantiTipi=1 Port=5005 GCTip=0",
                  "CihazNo=1 CihazAdi=Cihaz1 BaglantiTipi=1 Port=5005 GCTip=0",
                  "CihazNo=1 CihazAdi=Cihaz1 MakineNo=1 BaglantiTipi=1 Port=5005 GCTip=0",
                  "CihazNo=1 CihazAdi=Cihaz1 MakineNo=1 BaglantiTipi=1 Port=5005 Isaret=1 GCTip=0",
                  "CihazNo=1 CihazAdi=Cihaz1 MakineNo=1 BaglantiTipi=1 Port=5005 Isaret=1 GCTip=0",
              }));
    EXPECT_EQ(terminals.state(), Table::State::Insert);
    EXPECT_EQ(terminals.rowCount(), 3);
    EXPECT_EQ(terminals.currentRow(), 2);
    EXPECT_EQ(onDisk(), kListOnDisk);
}

TEST_F(TerminalListTest, TwoAddsInARowGiveTwoRowsNumberedOne)
{
    list.beginAdd();
    list.commit();
    EXPECT_EQ(onDisk(), kListSaved + kNewRow);
    list.beginAdd();
    list.commit();
    EXPECT_EQ(onDisk(), kListSaved + kNewRow + kNewRow);
    EXPECT_EQ(terminals.state(), Table::State::Browse);
    EXPECT_EQ(terminals.currentRow(), 3);
}

TEST_F(TerminalListTest, AnEditedRowIsPostedAndTheWholeListWritten)
{
    terminals.moveTo(1);
    list.beginEdit();
    EXPECT_EQ(terminals.state(), Table::State::Edit);
    terminals.set(Cihaz::CihazAdi, QStringLiteral("Yemekhane Çıkışı"));
    terminals.set(Cihaz::Port, 1);
    list.commit();
    EXPECT_EQ(onDisk(), lines({kHeader, kKapi, "8\tYemekhane \xC7\xFDk\xFD\xFE\xFD\t4\t2\t\t\t1\t0\t\t\t0\t\t1"},
                              "\r\n"));
    EXPECT_EQ(terminals.state(), Table::State::Browse);
}

TEST_F(TerminalListTest, EditOnAnEmptyListStartsAnEmptyRowThatCommitAdds)
{
    load(kHeader + "\n");
    list.beginEdit();
    EXPECT_EQ(terminals.state(), Table::State::Insert);
    EXPECT_EQ(rowsOf(terminals), QStringList{"-|-|-|-|-|-|-|-|-|-|-|-|0"})
        << "none of a new terminal's values";
    list.commit();
    EXPECT_EQ(onDisk(), kHeader + "\r\n" + "\t\t\t\t\t\t\t\t\t\t\t\t0\r\n");
}

// "İptal" after each way of opening the dialog: the list as before, the
// file not written.
struct CancelCase {
    const char* name;
    bool emptyList;
    std::function<void(TerminalList&, Table&)> open;
    friend void PrintTo(const CancelCase& c, std::ostream* os) { *os << c.name; }
};

class TerminalListCancel : public TerminalListTest, public testing::WithParamInterface<CancelCase> {};

TEST_P(TerminalListCancel, LeavesTheListAndTheFileAsBefore)
{
    const CancelCase& c = GetParam();
    if (c.emptyList)
        load(kHeader + "\n");
    else
        terminals.moveTo(1);
    const QStringList before = rowsOf(terminals);
    const int currentBefore = terminals.currentRow();
    const QByteArray fileBefore = onDisk();

    c.open(list, terminals);
    ASSERT_NE(rowsOf(terminals), before) << "the dialog's change is in the row";
    list.discard();
    EXPECT_EQ(rowsOf(terminals), before);
    EXPECT_EQ(terminals.currentRow(), currentBefore);
    EXPECT_EQ(terminals.state(), Table::State::Browse);
    EXPECT_EQ(onDisk(), fileBefore);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, TerminalListCancel,
    testing::Values(
        CancelCase{"AfterAdding", false, [](TerminalList& l, Table&) { l.beginAdd(); }},
        CancelCase{"AfterAddingAndTyping", false,
                   [](TerminalList& l, Table& t) {
                       l.beginAdd();
                       t.set(Cihaz::CihazAdi, QStringLiteral("Yeni"));
                   }},
        CancelCase{"AfterEditing", false,
                   [](TerminalList& l, Table& t) {
                       l.beginEdit();
                       t.set(Cihaz::CihazAdi, QStringLiteral("Başka"));
                       t.set(Cihaz::IPAdres, QStringLiteral("10.9.9.9"));
                       t.set(Cihaz::GCTip, 2);
                   }},
        CancelCase{"AfterEditingAnEmptyList", true,
                   [](TerminalList& l, Table& t) {
                       l.beginEdit();
                       t.set(Cihaz::CihazNo, 5);
                   }}),
    CaseName{});

TEST_F(TerminalListTest, DeleteAnsweredNoChangesNothing)
{
    terminals.moveTo(0);
    const QStringList before = rowsOf(terminals);
    dialogs.nextWarningAnswers = {false};
    EXPECT_FALSE(list.remove());
    EXPECT_EQ(dialogs.warnings, QStringList{QStringLiteral("Bu cihazı silmek istediğinizden emin misiniz?")});
    EXPECT_EQ(rowsOf(terminals), before);
    EXPECT_EQ(terminals.currentRow(), 0);
    EXPECT_EQ(onDisk(), kListOnDisk);
}

TEST_F(TerminalListTest, DeleteAnsweredYesRemovesTheCurrentRowAndWritesTheList)
{
    terminals.moveTo(0);
    dialogs.nextWarningAnswers = {true, true};
    EXPECT_TRUE(list.remove());
    EXPECT_EQ(onDisk(), lines({kHeader, kDepo}, "\r\n"));
    EXPECT_EQ(terminals.currentRow(), 0);
    EXPECT_EQ(terminals.get(Cihaz::CihazAdi), "Depo") << "the next row is current";

    EXPECT_TRUE(list.remove());
    EXPECT_EQ(onDisk(), kHeader + "\r\n");
    EXPECT_EQ(terminals.rowCount(), 0);
    EXPECT_EQ(dialogs.warnings.size(), 2);
}

TEST_F(TerminalListTest, DeleteOnAnEmptyListReportsItAndWritesNothing)
{
    load(kHeader + "\n");
    dialogs.nextWarningAnswers = {true};
    try {
        list.remove();
        ADD_FAILURE() << "an empty list is reported";
    } catch (const Error& e) {
        EXPECT_EQ(e.message(), "CihazTable: Cannot perform this operation on an empty dataset");
    }
    EXPECT_EQ(dialogs.warnings.size(), 1) << "asked first, as every delete is";
    EXPECT_EQ(onDisk(), kHeader + "\n");
}

TEST_F(TerminalListTest, AFailedSaveRaisesItsErrorAndTheRowStaysPosted)
{
    list.beginAdd();
    terminals.set(Cihaz::CihazAdi, QStringLiteral("Yeni"));
    const auto writable = QFile::permissions(file);
    QFile::setPermissions(file, QFileDevice::ReadOwner | QFileDevice::ReadGroup);
    {
        ReadOnlyFolder readOnly(app.path());
        try {
            list.commit();
            ADD_FAILURE() << "the failed save is reported";
        } catch (const Error& e) {
            EXPECT_TRUE(e.message().contains(file)) << e.message().toStdString();
        }
    }
    QFile::setPermissions(file, writable);
    EXPECT_EQ(onDisk(), kListOnDisk) << "the file stays whole";
    EXPECT_EQ(terminals.state(), Table::State::Browse);
    EXPECT_EQ(terminals.rowCount(), 3);

    // Saving again, as a second "Kaydet ve Kapat" does, writes it.
    list.commit();
    EXPECT_EQ(onDisk(), kListSaved + "1\tYeni\t1\t1\t\t\t5005\t1\t\t\t\t\t0\r\n");
}

TEST_F(TerminalListTest, AFailedDeleteSaveRaisesAndTheRowStaysDeleted)
{
    terminals.moveTo(1);
    dialogs.nextWarningAnswers = {true};
    const auto writable = QFile::permissions(file);
    QFile::setPermissions(file, QFileDevice::ReadOwner | QFileDevice::ReadGroup);
    {
        ReadOnlyFolder readOnly(app.path());
        EXPECT_THROW(list.remove(), Error);
    }
    QFile::setPermissions(file, writable);
    EXPECT_EQ(onDisk(), kListOnDisk);
    EXPECT_EQ(terminals.rowCount(), 1);
}

// A row left pending (the dialog closed by its frame) is posted by the next
// operation on the list, and so is what was typed into it.
TEST_F(TerminalListTest, APendingRowIsPostedByTheNextEdit)
{
    list.beginAdd();
    terminals.set(Cihaz::CihazAdi, QStringLiteral("Yarım"));
    list.beginEdit();
    EXPECT_EQ(terminals.state(), Table::State::Edit) << "the new row is posted, then edited";
    EXPECT_EQ(terminals.currentRow(), 2);
    terminals.set(Cihaz::CihazAdi, QStringLiteral("Vazgeçildi"));
    list.discard();
    EXPECT_EQ(terminals.rowCount(), 3);
    EXPECT_EQ(terminals.get(Cihaz::CihazAdi), QStringLiteral("Yarım"));
    EXPECT_EQ(onDisk(), kListOnDisk) << "posted, not yet written";
}

TEST_F(TerminalListTest, APendingRowIsPostedByADeleteAnsweredNo)
{
    terminals.moveTo(0);
    list.beginEdit();
    terminals.set(Cihaz::Port, 9);
    dialogs.nextWarningAnswers = {false};
    EXPECT_FALSE(list.remove());
    EXPECT_EQ(terminals.state(), Table::State::Browse);
    EXPECT_EQ(terminals.get(Cihaz::Port), 9);
    EXPECT_EQ(onDisk(), kListOnDisk);

    list.save();
    EXPECT_EQ(onDisk(), lines({kHeader, "7\tKap\xFD\t3\t1\t10.0.0.1\t42\t9\t1\t\t\t0\t\t0", kDepo}, "\r\n"));
}

}  // namespace
}  // namespace tavlo::test
