#include "personnel/SelectionCommands.h"
#include "store/DataModul.h"
#include "store/TableListener.h"
#include "tests/support/CaseName.h"

#include <gtest/gtest.h>

#include <limits>
#include <optional>
#include <vector>

namespace tavlo::test {
namespace {

using selection::Command;

constexpr qint32 kMax = std::numeric_limits<qint32>::max();
constexpr qint32 kMin = std::numeric_limits<qint32>::min();

TEST(OtherTick, TakesTheSignOfTheDividend)
{
    EXPECT_EQ(selection::otherTick(0), 1);
    EXPECT_EQ(selection::otherTick(1), 0);
    EXPECT_EQ(selection::otherTick(2), 1);
    EXPECT_EQ(selection::otherTick(-1), 0);
    EXPECT_EQ(selection::otherTick(-2), -1);
    EXPECT_EQ(selection::otherTick(-3), 0);
    EXPECT_EQ(selection::otherTick(kMax), 0);
    EXPECT_EQ(selection::otherTick(kMin), -1);
}

// The ticks before the command, one per row (nullopt: empty), and after.
struct SelectionCase {
    const char* name;
    Command command;
    std::vector<std::optional<qint32>> before;
    std::vector<qint32> after;
    friend void PrintTo(const SelectionCase& c, std::ostream* os) { *os << c.name; }
};

class SelectionCommand : public testing::TestWithParam<SelectionCase> {
protected:
    // Rows with PersonelNo 10, 11, ... and the given ticks.
    void fill(Table& table, IntField number, IntField tick)
    {
        table.open();
        qint32 no = 10;
        for (const auto& value : GetParam().before) {
            table.append();
            table.set(number, no++);
            if (value)
                table.set(tick, *value);
            table.post();
        }
    }

    std::vector<qint32> ticks(Table& table, IntField tick)
    {
        std::vector<qint32> result;
        for (int row = 0; row < table.rowCount(); ++row) {
            const QVariant value = table.value(row, *table.findField(tick.text()));
            EXPECT_TRUE(value.isValid()) << "row " << row << " has a tick after the command";
            result.push_back(value.toInt());
        }
        return result;
    }

    TDataModul data;
};

TEST_P(SelectionCommand, SetsEveryTickAndKeepsTheCurrentRow)
{
    const SelectionCase& c = GetParam();
    Table& table = data.PersonelTable;
    fill(table, Personel::PersonelNo, Personel::Secim);
    const int current = table.rowCount() > 1 ? 1 : table.currentRow();
    if (current >= 0)
        table.moveTo(current);

    selection::apply(c.command, table, Personel::Secim);

    EXPECT_EQ(ticks(table, Personel::Secim), c.after);
    EXPECT_EQ(table.currentRow(), current);
    EXPECT_EQ(table.state(), Table::State::Browse) << "every row is posted";
    EXPECT_FALSE(table.controlsDisabled()) << "views follow the table again";
}

// The same commands over the users read from a terminal, whose tick is a
// field of another table.
TEST_P(SelectionCommand, WorkOnTheUsersOfATerminalToo)
{
    const SelectionCase& c = GetParam();
    Table& table = data.PersonelTampon;
    fill(table, Tampon::PersonelNo, Tampon::Secim);
    const int current = table.rowCount() > 0 ? table.rowCount() - 1 : -1;
    if (current >= 0)
        table.moveTo(current);

    selection::apply(c.command, table, Tampon::Secim);

    EXPECT_EQ(ticks(table, Tampon::Secim), c.after);
    EXPECT_EQ(table.currentRow(), current);
}

const std::vector<std::optional<qint32>> kMixed{std::nullopt, 0, 1, 2, -2};

INSTANTIATE_TEST_SUITE_P(
    Cases, SelectionCommand,
    testing::Values(SelectionCase{"SelectAllOnEmptyTable", Command::SelectAll, {}, {}},
                    SelectionCase{"ClearAllOnEmptyTable", Command::ClearAll, {}, {}},
                    SelectionCase{"SelectOthersOnEmptyTable", Command::SelectOthers, {}, {}},
                    SelectionCase{"SelectAll", Command::SelectAll, kMixed, {1, 1, 1, 1, 1}},
                    SelectionCase{"ClearAll", Command::ClearAll, kMixed, {0, 0, 0, 0, 0}},
                    SelectionCase{"SelectOthers", Command::SelectOthers, kMixed, {1, 1, 0, 1, -1}},
                    SelectionCase{"SelectOthersOnOneRow", Command::SelectOthers, {1}, {0}}),
    CaseName{});

// Records what bound views are told.
class RecordingListener : public TableListener {
public:
    explicit RecordingListener(Table& table) : table_(table) { table_.addListener(this); }
    ~RecordingListener() override { table_.removeListener(this); }
    RecordingListener(const RecordingListener&) = delete;
    RecordingListener& operator=(const RecordingListener&) = delete;

    int resets = 0;
    int rowChanges = 0;
    int lastMove = -1;

private:
    void tableReset() override { ++resets; }
    void rowsChanged(int, int) override { ++rowChanges; }
    void currentChanged(int row) override { lastMove = row; }
    Table& table_;
};

// Views are held back for the whole walk, so a grid does not repaint row
// after row, and are shown the result once.
TEST(SelectionCommands, HoldViewsBackAndRefreshThemOnce)
{
    TDataModul data;
    Table& table = data.PersonelTable;
    table.open();
    for (const qint32 no : {1, 2, 3}) {
        table.append();
        table.set(Personel::PersonelNo, no);
        table.post();
    }
    table.moveTo(1);
    RecordingListener views(table);

    selection::apply(Command::SelectAll, table, Personel::Secim);

    EXPECT_EQ(views.rowChanges, 0);
    EXPECT_EQ(views.resets, 1);
    EXPECT_EQ(views.lastMove, 1) << "views are shown the kept row";
}

TEST(SelectionCommands, APendingEditIsKeptAndPostedByTheWalk)
{
    TDataModul data;
    Table& table = data.PersonelTable;
    table.open();
    for (const qint32 no : {1, 2, 3}) {
        table.append();
        table.set(Personel::PersonelNo, no);
        table.post();
    }
    table.moveTo(2);
    table.edit();
    table.set(Personel::Sifre, 1234);

    selection::apply(Command::SelectOthers, table, Personel::Secim);

    EXPECT_EQ(table.currentRow(), 2);
    EXPECT_EQ(table.state(), Table::State::Browse);
    EXPECT_EQ(table.get(Personel::Sifre), 1234) << "the pending edit is kept";
    EXPECT_EQ(table.get(Personel::Secim), 1);
}

}  // namespace
}  // namespace tavlo::test
