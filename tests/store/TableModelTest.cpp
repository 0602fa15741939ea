#include "store/DataModul.h"
#include "tests/support/CaseName.h"
#include "tests/support/ScriptedDialogs.h"
#include "tests/support/TempFolder.h"
#include "tests/support/PrintQt.h"

#include <QAbstractItemModelTester>
#include <QSignalSpy>
#include <gtest/gtest.h>

namespace tavlo {
namespace {

// Collects what Qt's model tester finds wrong while a test runs.
class ModelTesterComplaints {
public:
    ModelTesterComplaints() { previous_ = qInstallMessageHandler(&ModelTesterComplaints::record); }
    ~ModelTesterComplaints() { qInstallMessageHandler(previous_); }
    ModelTesterComplaints(const ModelTesterComplaints&) = delete;
    ModelTesterComplaints& operator=(const ModelTesterComplaints&) = delete;

    static QStringList take() { return std::exchange(complaints(), {}); }

private:
    static QStringList& complaints()
    {
        static QStringList list;
        return list;
    }
    static void record(QtMsgType, const QMessageLogContext& context, const QString& message)
    {
        if (context.category && QByteArray(context.category).startsWith("qt.modeltest"))
            complaints().append(message);
    }

    QtMessageHandler previous_ = nullptr;
};

class TableModelTest : public testing::Test {
protected:
    TableModelTest() { table.open(); }

    void addTerminal(qint32 no, const QString& name)
    {
        table.append();
        table.setInteger("CihazNo", no);
        table.setString("CihazAdi", name);
        table.post();
    }

    // What a view shows: every row's CihazNo and CihazAdi and its RecId.
    static QStringList shown(const TableModel& model)
    {
        QStringList rows;
        for (int row = 0; row < model.rowCount(); ++row) {
            rows << QStringLiteral("%1:%2:%3")
                        .arg(model.index(row, 0).data(TableModel::RecIdRole).toString(),
                             model.index(row, 0).data().toString(), model.index(row, 1).data().toString());
        }
        return rows;
    }

    test::ScriptedDialogs dialogs;
    TDataModul data;
    Table& table = data.CihazTable;
    TableModel& model = data.CihazKaynak;
};

TEST_F(TableModelTest, StaysConsistentUnderQtsModelTesterThroughEveryKindOfChange)
{
    test::TempFolder folder;
    folder.write("Cihazlar.Dat", "CihazNo\tCihazAdi\r\n7\tyedi\r\n8\tsekiz\r\n");
    const ModelTesterComplaints complaints;
    const QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::Warning);
    TableModel second(table);
    const QAbstractItemModelTester secondTester(&second, QAbstractItemModelTester::FailureReportingMode::Warning);

    addTerminal(1, "bir");
    addTerminal(2, "iki");
    addTerminal(3, QStringLiteral("üç"));
    table.moveTo(1);
    table.remove();
    table.append();
    table.cancel();
    table.edit();
    table.setString("CihazAdi", "degisti");
    table.cancel();
    ASSERT_TRUE(model.setData(model.index(0, 1), "yeni"));
    table.refresh();
    EXPECT_EQ(shown(model), (QStringList{"1:1:yeni", "3:3:üç"}));
    {
        const Table::DisabledControls frozen(table);
        table.first();
        table.remove();
        addTerminal(4, "dort");
        addTerminal(5, "bes");
        EXPECT_EQ(model.rowCount(), 2) << "views do not follow while disabled";
    }
    // The cancelled append used up RecId 4.
    EXPECT_EQ(shown(model), (QStringList{"3:3:üç", "5:4:dort", "6:5:bes"}));
    table.LoadTableFile(folder.file("Cihazlar.Dat"));
    EXPECT_EQ(shown(model), (QStringList{"1:7:yedi", "2:8:sekiz"}));
    EXPECT_EQ(shown(second), shown(model)) << "a second view shows the same";
    table.close();
    EXPECT_EQ(model.rowCount(), 0);

    EXPECT_EQ(ModelTesterComplaints::take(), QStringList{});
}

TEST_F(TableModelTest, GivesFieldNamesAsHeadersAndTypedValues)
{
    addTerminal(5, "Depo");
    ASSERT_EQ(model.columnCount(), 13);
    EXPECT_EQ(model.headerData(0, Qt::Horizontal).toString(), "CihazNo");
    EXPECT_EQ(model.headerData(12, Qt::Horizontal).toString(), "GCTip");
    EXPECT_EQ(model.columnOf("makineno"), 2);
    EXPECT_EQ(model.columnOf("RecId"), -1) << "RecId is no column";

    const QVariant number = model.index(0, 0).data(Qt::EditRole);
    EXPECT_EQ(number.typeId(), QMetaType::Int);
    EXPECT_EQ(number.toInt(), 5);
    const QVariant text = model.index(0, 1).data(Qt::DisplayRole);
    EXPECT_EQ(text.typeId(), QMetaType::QString);
    EXPECT_EQ(text.toString(), "Depo");
    EXPECT_FALSE(model.index(0, 2).data().isValid()) << "an empty field gives nothing";
    EXPECT_EQ(model.index(0, 12).data().toInt(), 0);
    EXPECT_EQ(model.index(0, 4).data(TableModel::RecIdRole).toInt(), 1);
}

struct WriteCase {
    const char* name;
    int column;
    QVariant value;
    bool accepted;
    QString stored;  // asString of the field afterwards, "-" for empty
    friend void PrintTo(const WriteCase& c, std::ostream* os) { *os << c.name; }
};

class ModelWrites : public TableModelTest, public testing::WithParamInterface<WriteCase> {};

TEST_P(ModelWrites, GoThroughTheTableAndLeaveItBrowsing)
{
    addTerminal(1, "bir");
    addTerminal(2, "iki");
    table.first();
    const WriteCase& c = GetParam();
    const QString field = table.fields()[c.column].name;
    EXPECT_EQ(model.setData(model.index(1, c.column), c.value), c.accepted);
    EXPECT_EQ(table.state(), Table::State::Browse);
    EXPECT_EQ(table.currentRow(), 1) << "the written row became current";
    EXPECT_EQ(table.isNull(field) ? QStringLiteral("-") : table.asString(field), c.stored);
    EXPECT_EQ(dialogs.errors.size(), c.accepted ? 0 : 1) << dialogs.errors.join('\n').toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ModelWrites,
    testing::Values(WriteCase{"Integer", 0, 42, true, "42"},
                    WriteCase{"NumberAsText", 0, QStringLiteral("43"), true, "43"},
                    WriteCase{"TextCutToWidth", 1, QString(40, u'x'), true, QString(30, u'x')},
                    WriteCase{"InvalidEmpties", 1, QVariant(), true, "-"},
                    WriteCase{"NotANumber", 0, QStringLiteral("abc"), false, "2"},
                    WriteCase{"OutsideSmallRange", 7, 70000, false, "-"},
                    WriteCase{"OutsideIntegerRange", 0, qlonglong(1) << 40, false, "2"}),
    tavlo::test::CaseName{});

TEST_F(TableModelTest, AWriteIntoARowBeingInsertedLeavesItPending)
{
    addTerminal(1, "bir");
    table.append();
    ASSERT_TRUE(model.setData(model.index(1, 0), 9));
    EXPECT_EQ(table.state(), Table::State::Insert);
    table.cancel();
    EXPECT_EQ(table.rowCount(), 1);
}

TEST_F(TableModelTest, SharesTheTablesCurrentRow)
{
    addTerminal(1, "bir");
    addTerminal(2, "iki");
    addTerminal(3, "uc");
    QSignalSpy moves(&model, &TableModel::currentRowChanged);
    model.setCurrentRow(0);
    EXPECT_EQ(table.currentRow(), 0);
    table.moveTo(2);
    EXPECT_EQ(model.currentRow(), 2);
    ASSERT_EQ(moves.size(), 2);
    EXPECT_EQ(moves.at(0).at(0).toInt(), 0);
    EXPECT_EQ(moves.at(1).at(0).toInt(), 2);

    const Table::DisabledControls frozen(table);
    model.setCurrentRow(1);
    EXPECT_EQ(table.currentRow(), 2) << "views do not move a table whose controls are disabled";
}

}  // namespace
}  // namespace tavlo
