#include "store/Table.h"
#include "store/TableListener.h"
#include "tests/support/CaseName.h"
#include "tests/support/PrintQt.h"

#include <gtest/gtest.h>

#include <functional>

namespace tavlo {
namespace {

std::vector<FieldDef> sampleFields()
{
    return {
        {"Num", FieldType::Integer, 0, std::nullopt},
        {"Small", FieldType::SmallInteger, 0, std::nullopt},
        {"Name", FieldType::Text, 5, std::nullopt},
        {"Kind", FieldType::SmallInteger, 0, 0},
    };
}

class TableTest : public testing::Test {
protected:
    TableTest() { table.open(); }

    void addRow(qint32 num, const QString& name = {})
    {
        table.append();
        table.setInteger("Num", num);
        if (!name.isEmpty())
            table.setString("Name", name);
        table.post();
    }

    std::vector<qint32> column(const QString& field)
    {
        std::vector<qint32> values;
        for (table.first(); !table.eof(); table.next())
            values.push_back(table.asInteger(field));
        return values;
    }

    Table table{"T", sampleFields()};
};

TEST(TableLifecycle, IsClosedWhenCreatedAndRefusesToMove)
{
    Table table("T", sampleFields());
    EXPECT_EQ(table.state(), Table::State::Inactive);
    EXPECT_EQ(table.rowCount(), 0);
    EXPECT_TRUE(table.eof());
    EXPECT_THROW(table.first(), Error);
    EXPECT_THROW(table.append(), Error);
}

TEST_F(TableTest, OpeningGivesNoRows)
{
    EXPECT_EQ(table.state(), Table::State::Browse);
    EXPECT_EQ(table.rowCount(), 0);
    EXPECT_EQ(table.currentRow(), -1);
    EXPECT_TRUE(table.eof());
    EXPECT_FALSE(table.remove()) << "nothing to remove";
}

TEST_F(TableTest, AppendedRowsKeepTheirOrderAndAreNumberedFromOne)
{
    addRow(30);
    addRow(10);
    addRow(20);
    EXPECT_EQ(column("Num"), (std::vector<qint32>{30, 10, 20}));
    EXPECT_EQ(column("RecId"), (std::vector<qint32>{1, 2, 3}));
    EXPECT_TRUE(table.eof());
    EXPECT_EQ(table.currentRow(), 2) << "next on the last row stays there";
}

TEST_F(TableTest, ReopeningCountsRecordNumbersFromOneAgain)
{
    addRow(1);
    addRow(2);
    table.close();
    EXPECT_EQ(table.rowCount(), 0);
    table.open();
    addRow(3);
    EXPECT_EQ(table.asInteger("RecId"), 1);
}

TEST_F(TableTest, AppendGivesFieldsTheirDefaultsAndLeavesTheRestEmpty)
{
    table.append();
    EXPECT_EQ(table.state(), Table::State::Insert);
    EXPECT_EQ(table.currentRow(), 0);
    EXPECT_FALSE(table.isNull("Kind"));
    EXPECT_EQ(table.asInteger("Kind"), 0);
    EXPECT_TRUE(table.isNull("Num"));
}

struct NameCase {
    const char* name;
    QString field;
    qint32 expected;  // on the second row: Num 20, RecId 2
    friend void PrintTo(const NameCase& c, std::ostream* os) { *os << c.name; }
};

class FieldNames : public TableTest, public testing::WithParamInterface<NameCase> {};

TEST_P(FieldNames, AreFoundWithoutRegardToCase)
{
    addRow(10);
    addRow(20);
    EXPECT_EQ(table.asInteger(GetParam().field), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FieldNames,
    testing::Values(NameCase{"RecId", "RecId", 2}, NameCase{"RecID", "RecID", 2},
                    NameCase{"recid", "recid", 2}, NameCase{"RECID", "RECID", 2},
                    NameCase{"num", "num", 20}, NameCase{"NUM", "NUM", 20}),
    tavlo::test::CaseName{});

TEST_F(TableTest, RecIdCannotBeWrittenAndUnknownFieldsAreNamed)
{
    table.append();
    EXPECT_THROW(table.setInteger("RecID", 9), Error);
    EXPECT_EQ(table.asInteger("RecId"), 1);
    try {
        table.asInteger("Missing");
        FAIL() << "no error raised";
    } catch (const Error& e) {
        EXPECT_EQ(e.message(), "T: Field 'Missing' not found");
    }
}

TEST_F(TableTest, EmptyFieldsReadAsZeroAndEmptyText)
{
    table.append();
    table.post();
    for (const QString& field : {QStringLiteral("Num"), QStringLiteral("Small"), QStringLiteral("Name")}) {
        EXPECT_TRUE(table.isNull(field)) << field.toStdString();
        EXPECT_EQ(table.asInteger(field), 0) << field.toStdString();
        EXPECT_EQ(table.asString(field), "") << field.toStdString();
    }
}

TEST_F(TableTest, WritingNeedsTheEditOrInsertState)
{
    addRow(5);
    try {
        table.setInteger("Num", 6);
        FAIL() << "no error raised";
    } catch (const Error& e) {
        EXPECT_EQ(e.message(), "T: Dataset not in edit or insert mode");
    }
    EXPECT_EQ(table.asInteger("Num"), 5);
}

// A write of a value that the field cannot hold; the field held 7 before.
struct WriteCase {
    const char* name;
    QString field;
    std::function<void(Table&, const QString&)> write;
    QString error;  // empty: the write succeeds
    QString expected;
    friend void PrintTo(const WriteCase& c, std::ostream* os) { *os << c.name; }
};

class FieldWrites : public TableTest, public testing::WithParamInterface<WriteCase> {};

TEST_P(FieldWrites, KeepTheFieldWhenTheValueDoesNotFit)
{
    const WriteCase& c = GetParam();
    table.append();
    table.setInteger(c.field, 7);
    if (c.error.isEmpty()) {
        c.write(table, c.field);
    } else {
        try {
            c.write(table, c.field);
            FAIL() << "no error raised";
        } catch (const Error& e) {
            EXPECT_EQ(e.message(), c.error);
        }
    }
    EXPECT_EQ(table.asString(c.field), c.expected);
}

auto setInteger(qint32 value)
{
    return [value](Table& t, const QString& field) { t.setInteger(field, value); };
}

auto setString(QString value)
{
    return [value](Table& t, const QString& field) { t.setString(field, value); };
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FieldWrites,
    testing::Values(
        WriteCase{"SmallTakesItsHighest", "Small", setInteger(32767), {}, "32767"},
        WriteCase{"SmallTakesItsLowest", "Small", setInteger(-32768), {}, "-32768"},
        WriteCase{"SmallAboveRange", "Small", setInteger(32768),
                  "32768 is not a valid value for field 'Small'. The allowed range is -32768 to 32767", "7"},
        WriteCase{"SmallBelowRange", "Small", setInteger(-32769),
                  "-32769 is not a valid value for field 'Small'. The allowed range is -32768 to 32767", "7"},
        WriteCase{"SmallAboveRangeAsText", "Small", setString("40000"),
                  "40000 is not a valid value for field 'Small'. The allowed range is -32768 to 32767", "7"},
        WriteCase{"IntegerTakesItsLowestAsText", "Num", setString("-2147483648"), {}, "-2147483648"},
        WriteCase{"IntegerAboveRangeAsText", "Num", setString("2147483648"),
                  "'2147483648' is not a valid integer value", "7"},
        WriteCase{"TextInIntegerField", "Num", setString("abc"), "'abc' is not a valid integer value", "7"},
        WriteCase{"TextConvertsToInteger", "Num", setString("-42"), {}, "-42"},
        WriteCase{"EmptyTextEmptiesIntegerField", "Num", setString(""), {}, ""},
        WriteCase{"NumberIntoTextField", "Name", setInteger(-123), {}, "-123"},
        WriteCase{"NumberCutToTextWidth", "Name", setInteger(1234567), {}, "12345"},
        WriteCase{"TextCutToWidth", "Name", setString("ABCDEFG"), {}, "ABCDE"},
        WriteCase{"TurkishLettersKept", "Name", setString(QStringLiteral("ŞçĞİı")), {},
                  QStringLiteral("ŞçĞİı")},
        WriteCase{"LettersOutsideCodePageBecomeQuestionMarks", "Name",
                  setString(QStringLiteral("Ж😀abcd")), {}, QStringLiteral("??abc")}),
    tavlo::test::CaseName{});

TEST_F(TableTest, TextInTextFieldReadAsIntegerMustBeANumber)
{
    table.append();
    table.setString("Name", "12");
    EXPECT_EQ(table.asInteger("Name"), 12);
    table.setString("Name", "x1");
    EXPECT_THROW(table.asInteger("Name"), Error);
}

TEST_F(TableTest, EditOnAnEmptyTableStartsInsertingInstead)
{
    table.edit();
    EXPECT_EQ(table.state(), Table::State::Insert);
    EXPECT_EQ(table.rowCount(), 1);
    EXPECT_EQ(table.asInteger("Kind"), 0);
    table.post();
    EXPECT_EQ(table.rowCount(), 1);
}

TEST_F(TableTest, CancelledAppendDisappearsAndTheEarlierRowIsCurrentAgain)
{
    addRow(1);
    addRow(2);
    table.first();
    table.append();
    table.setInteger("Num", 99);
    table.cancel();
    EXPECT_EQ(table.state(), Table::State::Browse);
    EXPECT_EQ(table.rowCount(), 2);
    EXPECT_EQ(table.currentRow(), 0);
    EXPECT_EQ(column("Num"), (std::vector<qint32>{1, 2}));
}

TEST_F(TableTest, CancelledEditGivesTheOldValuesBack)
{
    addRow(1, "bir");
    table.edit();
    table.setInteger("Num", 5);
    table.setNull("Name");
    table.cancel();
    EXPECT_EQ(table.state(), Table::State::Browse);
    EXPECT_EQ(table.asInteger("Num"), 1);
    EXPECT_EQ(table.asString("Name"), "bir");
}

TEST_F(TableTest, MovingCommitsAPendingEdit)
{
    addRow(1);
    addRow(2);
    table.first();
    table.edit();
    table.setInteger("Num", 11);
    table.next();
    EXPECT_EQ(table.state(), Table::State::Browse);
    EXPECT_EQ(column("Num"), (std::vector<qint32>{11, 2}));
}

struct RemoveCase {
    const char* name;
    int current;
    std::vector<qint32> left;
    qint32 newCurrent;
    friend void PrintTo(const RemoveCase& c, std::ostream* os) { *os << c.name; }
};

class Removal : public TableTest, public testing::WithParamInterface<RemoveCase> {};

TEST_P(Removal, MakesTheNextRowCurrentOrThePreviousAtTheEnd)
{
    addRow(1);
    addRow(2);
    addRow(3);
    table.moveTo(GetParam().current);
    EXPECT_TRUE(table.remove());
    EXPECT_EQ(table.asInteger("Num"), GetParam().newCurrent);
    EXPECT_EQ(column("Num"), GetParam().left);
}

INSTANTIATE_TEST_SUITE_P(Cases, Removal,
                         testing::Values(RemoveCase{"First", 0, {2, 3}, 2},
                                         RemoveCase{"Middle", 1, {1, 3}, 3},
                                         RemoveCase{"Last", 2, {1, 2}, 2}),
                         tavlo::test::CaseName{});

TEST_F(TableTest, RemovingTheOnlyRowLeavesNoCurrentRow)
{
    addRow(1);
    EXPECT_TRUE(table.remove());
    EXPECT_EQ(table.currentRow(), -1);
    EXPECT_TRUE(table.eof());
    EXPECT_FALSE(table.remove());
}

TEST_F(TableTest, RemovingARowBeingInsertedCancelsIt)
{
    addRow(1);
    table.append();
    EXPECT_TRUE(table.remove());
    EXPECT_EQ(table.state(), Table::State::Browse);
    EXPECT_EQ(column("Num"), (std::vector<qint32>{1}));
}

TEST_F(TableTest, LocateFindsAnExactValueAndOtherwiseStaysPut)
{
    addRow(1, "abc");
    addRow(2, "ABC");
    addRow(3, "abc");
    table.first();
    EXPECT_TRUE(table.locate("name", QStringLiteral("ABC")));
    EXPECT_EQ(table.asInteger("Num"), 2);
    EXPECT_FALSE(table.locate("Name", QStringLiteral("ab")));
    EXPECT_EQ(table.asInteger("Num"), 2);
    EXPECT_TRUE(table.locate("RecID", 3));
    EXPECT_EQ(table.asInteger("Num"), 3);
    EXPECT_TRUE(table.locate("Num", 1));
    EXPECT_EQ(table.currentRow(), 0);
    EXPECT_FALSE(table.locate("Num", 4));
    EXPECT_EQ(table.currentRow(), 0);
}

TEST_F(TableTest, BookmarkReturnsToItsRowAfterRowsBeforeItWentAway)
{
    addRow(1);
    addRow(2);
    addRow(3);
    table.moveTo(2);
    const Table::Bookmark mark = table.bookmark();
    table.first();
    table.remove();
    EXPECT_TRUE(table.gotoBookmark(mark));
    EXPECT_EQ(table.currentRow(), 1);
    EXPECT_EQ(table.asInteger("Num"), 3);

    table.remove();
    table.first();
    EXPECT_FALSE(table.gotoBookmark(mark)) << "its row is gone";
    EXPECT_EQ(table.currentRow(), 0);
}

// Writes down every change a table tells.
class Recorder : public TableListener {
public:
    void tableAboutToBeReset() override { events.push_back("aboutToReset"); }
    void tableReset() override { events.push_back("reset"); }
    void rowAboutToBeInserted(int row) override { events.push_back("aboutToInsert " + std::to_string(row)); }
    void rowInserted(int row) override { events.push_back("insert " + std::to_string(row)); }
    void rowAboutToBeRemoved(int row) override { events.push_back("aboutToRemove " + std::to_string(row)); }
    void rowRemoved(int row) override { events.push_back("remove " + std::to_string(row)); }
    void rowsChanged(int first, int last) override
    {
        events.push_back("change " + std::to_string(first) + "-" + std::to_string(last));
    }
    void currentChanged(int row) override { events.push_back("current " + std::to_string(row)); }

    std::vector<std::string> take() { return std::exchange(events, {}); }
    std::vector<std::string> events;
};

using Events = std::vector<std::string>;

TEST_F(TableTest, ListenersAreToldOfEveryChange)
{
    Recorder recorder;
    table.addListener(&recorder);
    table.append();
    EXPECT_EQ(recorder.take(), (Events{"aboutToInsert 0", "insert 0", "current 0"}));
    table.setInteger("Num", 1);
    table.post();
    EXPECT_EQ(recorder.take(), (Events{"change 0-0", "change 0-0"}));
    addRow(2);
    recorder.take();
    table.first();
    EXPECT_EQ(recorder.take(), (Events{"current 0"}));
    table.remove();
    EXPECT_EQ(recorder.take(), (Events{"aboutToRemove 0", "remove 0", "current 0"}));
    table.close();
    EXPECT_EQ(recorder.take(), (Events{"aboutToReset", "reset", "current -1"}));
    table.removeListener(&recorder);
    table.open();
    EXPECT_EQ(recorder.take(), Events{});
}

TEST_F(TableTest, DisabledControlsHoldBackChangesUntilEnabled)
{
    addRow(1);
    Recorder recorder;
    table.addListener(&recorder);
    {
        const Table::DisabledControls outer(table);
        {
            const Table::DisabledControls inner(table);
            addRow(2);
            table.first();
        }
        EXPECT_TRUE(table.controlsDisabled());
        table.refresh();
        EXPECT_EQ(recorder.take(), Events{});
    }
    EXPECT_FALSE(table.controlsDisabled());
    EXPECT_EQ(recorder.take(), (Events{"aboutToReset", "reset", "current 0"}));
    table.removeListener(&recorder);
}

TEST_F(TableTest, RefreshCommitsAPendingRowAndRepaintsEveryRow)
{
    addRow(1);
    addRow(2);
    Recorder recorder;
    table.addListener(&recorder);
    table.edit();
    table.refresh();
    EXPECT_EQ(table.state(), Table::State::Browse);
    EXPECT_EQ(recorder.take(), (Events{"change 1-1", "change 0-1"}));
    table.removeListener(&recorder);
}

}  // namespace
}  // namespace tavlo
