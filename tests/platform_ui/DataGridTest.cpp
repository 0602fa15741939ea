#include "platform/ui/DataGrid.h"
#include "platform/ui/GridColumnProxy.h"
#include "platform/ui/GridProgressDelegate.h"
#include "store/DataModul.h"
#include "tests/support/CaseName.h"
#include "tests/support/PrintQt.h"
#include "tests/support/ScriptedDialogs.h"

#include <QAbstractItemModelTester>
#include <QAccessible>
#include <QHeaderView>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

namespace tavlo {
namespace {

using Kind = GridColumn::Kind;

std::vector<GridColumn> transferColumns()
{
    return {
        {"v_Secim", "Seç", "Isaret", Kind::CheckBox, {}, false, false},
        {"v_CihazAdi", "Cihaz Adı", "CihazAdi", Kind::Plain, {}, true, false},
        {"v_Transfer", "Transfer Durumu", "TransferDurumu", Kind::ProgressBar, {}, true, false},
        {"v_Aciklama", "", "Aciklama", Kind::Plain, {}, true, false},
    };
}

std::vector<GridColumn> terminalColumns()
{
    return {
        {"v_Isaret", "Seç", "Isaret", Kind::CheckBox, {}, true, true},
        {"v_CihazTableCihazNo", "Cz.No", "CihazNo", Kind::Plain, {}, true, false},
        {"v_CihazTableBaglantiTipi", "Bağlantı Tipi", "BaglantiTipi", Kind::ValueList,
         {{1, "Ethernet"}, {2, "Comm Port"}, {3, "USB Bağlantısı"}}, true, false},
        {"v_CihazTableRecId", "", "RecID", Kind::Plain, {}, false, false},
        {"v_CihazTableDurum", "", "Durum", Kind::Plain, {}, false, false},
    };
}

class DataGridTest : public testing::Test {
protected:
    DataGridTest()
    {
        table.open();
        addTerminal(1, "Giriş", 1, 0);
        addTerminal(2, "Depo", 2, 1);
        addTerminal(3, "Arka", 9, 0);
        table.first();
        for (DataGrid* grid : {&transfer, &terminals}) {
            grid->resize(500, 300);
            grid->show();
        }
        transfer.setReadOnly(true);
    }

    void addTerminal(qint32 no, const QString& name, qint32 connection, qint32 ticked)
    {
        table.append();
        table.setInteger("CihazNo", no);
        table.setString("CihazAdi", name);
        table.setInteger("BaglantiTipi", connection);
        table.setInteger("Isaret", ticked);
        table.post();
    }

    static int selectedRow(const DataGrid& grid)
    {
        const QModelIndexList rows = grid.selectionModel()->selectedRows();
        return rows.size() == 1 ? rows.first().row() : -1;
    }

    static QStringList captions(const DataGrid& grid)
    {
        QStringList texts;
        for (int column = 0; column < grid.model()->columnCount(); ++column)
            texts << grid.model()->headerData(column, Qt::Horizontal).toString();
        return texts;
    }

    void clickCell(DataGrid& grid, int row, int column)
    {
        QTest::mouseClick(grid.viewport(), Qt::LeftButton, {},
                          grid.visualRect(grid.model()->index(row, column)).center());
    }

    void clickCheckBox(DataGrid& grid, int row, int column)
    {
        const QModelIndex index = grid.model()->index(row, column);
        QStyleOptionViewItem option;
        option.initFrom(grid.viewport());
        option.rect = grid.visualRect(index);
        option.features = QStyleOptionViewItem::HasCheckIndicator;
        const QRect box = grid.style()->subElementRect(QStyle::SE_ItemViewItemCheckIndicator, &option, &grid);
        QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, box.center());
    }

    test::ScriptedDialogs dialogs;
    TDataModul data;
    Table& table = data.CihazTable;
    DataGrid transfer{data.CihazKaynak, transferColumns()};
    DataGrid terminals{data.CihazKaynak, terminalColumns()};
};

TEST_F(DataGridTest, ShowsItsOwnCaptionsAndHidesHiddenColumns)
{
    EXPECT_EQ(captions(transfer),
              (QStringList{QStringLiteral("Seç"), QStringLiteral("Cihaz Adı"), "Transfer Durumu", "Aciklama"}));
    EXPECT_EQ(captions(terminals),
              (QStringList{QStringLiteral("Seç"), "Cz.No", QStringLiteral("Bağlantı Tipi"), "RecID", "Durum"}));
    EXPECT_TRUE(transfer.isColumnHidden(0));
    EXPECT_FALSE(transfer.isColumnHidden(1));
    EXPECT_TRUE(terminals.isColumnHidden(terminals.columnOf("v_CihazTableDurum")));
    EXPECT_EQ(terminals.columnOf("v_CihazTableBaglantiTipi"), 2);
    EXPECT_EQ(terminals.columnOf("v_Yok"), -1);
}

TEST_F(DataGridTest, NamesItsColumnsToAccessibilityToolsByCaption)
{
    QAccessibleInterface* grid = QAccessible::queryAccessibleInterface(&terminals);
    ASSERT_NE(grid, nullptr);
    QAccessibleTableInterface* cells = grid->tableInterface();
    ASSERT_NE(cells, nullptr);
    QStringList seen;
    for (int column = 0; column < cells->columnCount(); ++column)
        seen << cells->columnDescription(column);
    EXPECT_TRUE(seen.contains(QStringLiteral("Bağlantı Tipi"))) << seen.join(", ").toStdString();
    EXPECT_TRUE(seen.contains("Cz.No")) << seen.join(", ").toStdString();
}

TEST_F(DataGridTest, ShowsValuesAsTheirKindAsks)
{
    const QAbstractItemModel& shown = *terminals.model();
    EXPECT_EQ(shown.index(0, 2).data().toString(), "Ethernet");
    EXPECT_EQ(shown.index(1, 2).data().toString(), "Comm Port");
    EXPECT_EQ(shown.index(2, 2).data().toString(), "9") << "a value the list lacks shows itself";
    EXPECT_EQ(shown.index(1, 2).data(Qt::EditRole).toInt(), 2);
    EXPECT_EQ(shown.index(1, 0).data(Qt::CheckStateRole).toInt(), Qt::Checked);
    EXPECT_EQ(shown.index(0, 0).data(Qt::CheckStateRole).toInt(), Qt::Unchecked);
    EXPECT_FALSE(shown.index(0, 0).data(Qt::DisplayRole).isValid()) << "a check box has no text";
    EXPECT_EQ(shown.index(2, 3).data().toInt(), 3) << "the RecId column";
    EXPECT_EQ(transfer.model()->index(0, 1).data().toString(), QStringLiteral("Giriş"));
}

TEST_F(DataGridTest, AClickInOneGridMovesTheTableAndEveryOtherGrid)
{
    EXPECT_EQ(selectedRow(transfer), 0);
    EXPECT_EQ(selectedRow(terminals), 0);
    clickCell(transfer, 2, 1);
    EXPECT_EQ(table.currentRow(), 2);
    EXPECT_EQ(selectedRow(terminals), 2);
    clickCell(terminals, 1, 1);
    EXPECT_EQ(table.currentRow(), 1);
    EXPECT_EQ(selectedRow(transfer), 1);
}

TEST_F(DataGridTest, EveryGridFollowsTheTablesCurrentRow)
{
    table.moveTo(1);
    EXPECT_EQ(selectedRow(transfer), 1);
    EXPECT_EQ(selectedRow(terminals), 1);
    addTerminal(4, "Yeni", 1, 1);
    EXPECT_EQ(selectedRow(transfer), 3);
    EXPECT_EQ(selectedRow(terminals), 3);
    table.moveTo(1);
    table.remove();
    EXPECT_EQ(table.currentRow(), 1);
    EXPECT_EQ(transfer.model()->index(1, 1).data().toString(), "Arka");
    EXPECT_EQ(selectedRow(transfer), 1);
    EXPECT_EQ(selectedRow(terminals), 1);
}

enum class Toggle { Click, Space };

struct ToggleCase {
    const char* name;
    Toggle how;
    friend void PrintTo(const ToggleCase& c, std::ostream* os) { *os << c.name; }
};

class CheckToggles : public DataGridTest, public testing::WithParamInterface<ToggleCase> {};

TEST_P(CheckToggles, WriteThroughTheTableAndTellTheWindow)
{
    QSignalSpy toggled(&terminals, &DataGrid::checkToggled);
    const auto toggle = [&](int row) {
        if (GetParam().how == Toggle::Click) {
            clickCheckBox(terminals, row, 0);
        } else {
            terminals.setCurrentIndex(terminals.model()->index(row, 0));
            QTest::keyClick(&terminals, Qt::Key_Space);
        }
    };

    toggle(2);
    EXPECT_EQ(table.currentRow(), 2);
    EXPECT_EQ(table.asInteger("Isaret"), 1);
    EXPECT_EQ(table.state(), Table::State::Browse) << "the tick is posted";
    ASSERT_EQ(toggled.size(), 1);
    EXPECT_EQ(toggled.at(0).at(0).toInt(), 2);
    EXPECT_EQ(toggled.at(0).at(1).toString(), "Isaret");

    toggle(1);
    table.moveTo(1);
    EXPECT_EQ(table.asInteger("Isaret"), 0);
    EXPECT_EQ(toggled.size(), 2);
}

INSTANTIATE_TEST_SUITE_P(Cases, CheckToggles,
                         testing::Values(ToggleCase{"Click", Toggle::Click}, ToggleCase{"Space", Toggle::Space}),
                         tavlo::test::CaseName{});

TEST_F(DataGridTest, AReadOnlyGridChangesNothingEvenInEditableColumns)
{
    DataGrid readOnly(data.CihazKaynak, terminalColumns());
    readOnly.setReadOnly(true);
    readOnly.resize(500, 300);
    readOnly.show();
    QSignalSpy toggled(&readOnly, &DataGrid::checkToggled);
    clickCheckBox(readOnly, 1, 0);
    readOnly.setCurrentIndex(readOnly.model()->index(1, 0));
    QTest::keyClick(&readOnly, Qt::Key_Space);
    EXPECT_FALSE(readOnly.model()->setData(readOnly.model()->index(1, 0), Qt::Unchecked, Qt::CheckStateRole));
    table.moveTo(1);
    EXPECT_EQ(table.asInteger("Isaret"), 1);
    EXPECT_EQ(toggled.size(), 0);
    EXPECT_EQ(readOnly.editTriggers(), QAbstractItemView::NoEditTriggers);
}

TEST_F(DataGridTest, OnlyEditableColumnsTakeValues)
{
    QAbstractItemModel& shown = *terminals.model();
    EXPECT_FALSE(shown.flags(shown.index(0, 1)) & Qt::ItemIsEditable);
    EXPECT_FALSE(shown.setData(shown.index(0, 1), 77));
    EXPECT_TRUE(shown.flags(shown.index(0, 0)) & Qt::ItemIsUserCheckable);

    DataGrid editing(data.CihazKaynak, {{"v_Ad", "Ad", "CihazAdi", Kind::Plain, {}, true, true},
                                        {"v_Tip", "Tip", "BaglantiTipi", Kind::ValueList, {{3, "USB"}}, true, true}});
    ASSERT_TRUE(editing.model()->setData(editing.model()->index(2, 0), "Kapı"));
    ASSERT_TRUE(editing.model()->setData(editing.model()->index(2, 1), 3));
    EXPECT_EQ(table.currentRow(), 2);
    EXPECT_EQ(table.asString("CihazAdi"), QStringLiteral("Kapı"));
    EXPECT_EQ(editing.model()->index(2, 1).data().toString(), "USB");
    EXPECT_EQ(terminals.model()->index(2, 2).data().toString(), QStringLiteral("USB Bağlantısı"))
        << "other grids show the new value through their own list";
}

TEST_F(DataGridTest, ColumnModelStaysConsistentUnderQtsModelTester)
{
    const QAbstractItemModelTester tester(terminals.model(), QAbstractItemModelTester::FailureReportingMode::Fatal);
    addTerminal(4, "Dort", 3, 1);
    table.moveTo(0);
    table.remove();
    table.edit();
    table.setInteger("BaglantiTipi", 2);
    table.post();
    {
        const Table::DisabledControls frozen(table);
        table.remove();
    }
    table.close();
    table.open();
    EXPECT_EQ(terminals.model()->rowCount(), 0);
}

TEST_F(DataGridTest, ColumnsCanFillTheGridsWidth)
{
    transfer.setColumnsFillWidth(true);
    EXPECT_EQ(transfer.horizontalHeader()->sectionResizeMode(1), QHeaderView::Stretch);
    transfer.setColumnsFillWidth(false);
    EXPECT_EQ(transfer.horizontalHeader()->sectionResizeMode(1), QHeaderView::Interactive);
}

TEST_F(DataGridTest, AColumnNamingNoFieldIsRefused)
{
    EXPECT_THROW(DataGrid(data.CihazKaynak, {{"v_X", "X", "Yok", Kind::Plain, {}, true, false}}), Error);
}

struct BarCase {
    const char* name;
    QVariant value;
    int progress;
    QString text;
    friend void PrintTo(const BarCase& c, std::ostream* os) { *os << c.name; }
};

class ProgressBars : public testing::TestWithParam<BarCase> {};

TEST_P(ProgressBars, FillUpToAHundredAndShowTheValue)
{
    QStyleOptionViewItem cell;
    cell.rect = QRect(0, 0, 100, 20);
    const QStyleOptionProgressBar bar = GridProgressDelegate::barOption(cell, GetParam().value);
    EXPECT_EQ(bar.minimum, 0);
    EXPECT_EQ(bar.maximum, 100);
    EXPECT_EQ(bar.progress, GetParam().progress);
    EXPECT_EQ(bar.text, GetParam().text);
    EXPECT_TRUE(bar.textVisible);
}

INSTANTIATE_TEST_SUITE_P(Cases, ProgressBars,
                         testing::Values(BarCase{"Empty", QVariant(), 0, "0%"}, BarCase{"Part", 40, 40, "40%"},
                                         BarCase{"Full", 100, 100, "100%"},
                                         BarCase{"MoreThanAnnounced", 150, 100, "150%"},
                                         BarCase{"Negative", -5, 0, "-5%"}),
                         tavlo::test::CaseName{});

TEST_F(DataGridTest, ProgressBarCellsPaintTheirBar)
{
    table.moveTo(0);
    table.edit();
    table.setInteger("TransferDurumu", 100);
    table.post();
    table.moveTo(1);
    table.edit();
    table.setInteger("TransferDurumu", 0);
    table.post();
    const QImage image = transfer.viewport()->grab().toImage();
    const auto distinctColours = [&](int row) {
        const QRect cell = transfer.visualRect(transfer.model()->index(row, 2)).adjusted(4, 4, -4, -4);
        QSet<QRgb> colours;
        for (int x = cell.left(); x <= cell.right(); ++x)
            colours.insert(image.pixel(x, cell.center().y()));
        return colours.size();
    };
    EXPECT_GT(distinctColours(0), 2) << "a filled bar with text differs from a plain cell";
    EXPECT_GT(distinctColours(1), 2);
}

}  // namespace
}  // namespace tavlo
