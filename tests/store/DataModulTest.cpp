#include "store/DataModul.h"
#include "tests/support/CaseName.h"
#include "tests/support/PrintQt.h"

#include <gtest/gtest.h>

namespace tavlo {
namespace {

QStringList describe(const Table& table)
{
    QStringList fields;
    for (const FieldDef& field : table.fields()) {
        switch (field.type) {
        case FieldType::Integer:
            fields << field.name + ":int";
            break;
        case FieldType::SmallInteger:
            fields << field.name + ":small";
            break;
        case FieldType::Text:
            fields << field.name + ":text" + QString::number(field.width);
            break;
        }
    }
    return fields;
}

struct TableCase {
    const char* name;
    Table TDataModul::*table;
    TableModel TDataModul::*source;
    QStringList fields;
    friend void PrintTo(const TableCase& c, std::ostream* os) { *os << c.name; }
};

class DataModulTables : public testing::TestWithParam<TableCase> {};

TEST_P(DataModulTables, HaveTheirFieldsInOrderAndAClosedStart)
{
    TDataModul data;
    const Table& table = data.*GetParam().table;
    EXPECT_EQ(table.name(), GetParam().name);
    EXPECT_EQ(describe(table), GetParam().fields);
    EXPECT_FALSE(table.isOpen());
    EXPECT_EQ(&(data.*GetParam().source).table(), &table);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DataModulTables,
    testing::Values(
        TableCase{"CihazTable", &TDataModul::CihazTable, &TDataModul::CihazKaynak,
                  {"CihazNo:int", "CihazAdi:text30", "MakineNo:int", "BaglantiTipi:small",
                   "IPAdres:text20", "Parola:text10", "Port:int", "Isaret:small", "Durum:small",
                   "Aciklama:text30", "TransferDurumu:int", "ComportNo:small", "GCTip:small"}},
        TableCase{"PersonelTable", &TDataModul::PersonelTable, &TDataModul::PersonelKaynak,
                  {"PersonelNo:int", "KartNo:int", "Yetki:int", "Sifre:int", "IzinDurum:int", "Secim:int"}},
        TableCase{"PersonelTampon", &TDataModul::PersonelTampon, &TDataModul::PersonelTamponKaynak,
                  {"PersonelNo:int", "KartNo:int", "Yetki:int", "Sifre:int", "IzinDurum:int",
                   "Backup:text30", "BackupInt:int", "Secim:int"}}),
    tavlo::test::CaseName{});

TEST(DataModul, OnlyGCTipHasADefault)
{
    TDataModul data;
    data.CihazTable.open();
    data.CihazTable.append();
    for (const FieldDef& field : data.CihazTable.fields())
        EXPECT_EQ(data.CihazTable.isNull(field.name), field.name != "GCTip") << field.name.toStdString();
    EXPECT_EQ(data.CihazTable.asInteger("GCTip"), 0);
}

TEST(DataModul, IsTheProcessWideInstanceWhileItLives)
{
    EXPECT_FALSE(dataModulExists());
    EXPECT_THROW(DataModul(), Error);
    {
        TDataModul data;
        EXPECT_EQ(&DataModul(), &data);
        EXPECT_THROW(TDataModul second, Error);
        EXPECT_EQ(&DataModul(), &data) << "a refused second module changes nothing";
    }
    EXPECT_FALSE(dataModulExists());
}

}  // namespace
}  // namespace tavlo
