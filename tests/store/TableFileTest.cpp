#include "store/DataModul.h"
#include "tests/support/CaseName.h"
#include "tests/support/TempFolder.h"
#include "tests/support/PrintQt.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

namespace tavlo {
namespace {

const QByteArray kPersonelHeader = "PersonelNo\tKartNo\tYetki\tSifre\tIzinDurum\tSecim\r\n";
const QByteArray kCihazHeader =
    "CihazNo\tCihazAdi\tMakineNo\tBaglantiTipi\tIPAdres\tParola\tPort\tIsaret\tDurum\tAciklama\t"
    "TransferDurumu\tComportNo\tGCTip\r\n";

class TableFileTest : public testing::Test {
protected:
    TableFileTest()
    {
        data.CihazTable.open();
        data.PersonelTable.open();
    }

    // Each row as its fields' texts joined by '|', empty fields as "-".
    static QStringList rowsOf(Table& table)
    {
        QStringList rows;
        const Table::Bookmark mark = table.bookmark();
        for (table.first(); !table.eof(); table.next()) {
            QStringList fields;
            for (const FieldDef& field : table.fields())
                fields << (table.isNull(field.name) ? QStringLiteral("-") : table.asString(field.name));
            rows << fields.join(u'|');
        }
        table.gotoBookmark(mark);
        return rows;
    }

    void addPerson(qint32 no, qint32 card)
    {
        Table& table = data.PersonelTable;
        table.append();
        table.setInteger("PersonelNo", no);
        table.setInteger("KartNo", card);
        table.post();
    }

    QString file(const char* name) const { return folder.file(QString::fromLatin1(name)); }

    test::TempFolder folder;
    TDataModul data;
};

TEST_F(TableFileTest, SavesTheHeaderAndEveryRowInCodePage1254)
{
    Table& table = data.CihazTable;
    table.append();
    table.setInteger("CihazNo", -3);
    table.setString("CihazAdi", QStringLiteral("Giriş Kapısı Ğ"));
    table.setInteger("Port", 5005);
    table.post();
    table.append();
    table.post();
    table.SaveTableFile(file("Cihazlar.Dat"));
    EXPECT_EQ(folder.read("Cihazlar.Dat"),
              kCihazHeader + "-3\tGiri\xFE Kap\xFDs\xFD \xD0\t\t\t\t\t5005\t\t\t\t\t\t0\r\n"
                             "\t\t\t\t\t\t\t\t\t\t\t\t0\r\n");
}

TEST_F(TableFileTest, SavingATableWithoutRowsWritesTheHeaderAlone)
{
    data.PersonelTable.SaveTableFile(file("Personel.PDT"));
    EXPECT_EQ(folder.read("Personel.PDT"), kPersonelHeader);
}

TEST_F(TableFileTest, SavingAClosedTableWritesNothing)
{
    data.PersonelTable.close();
    data.PersonelTable.SaveTableFile(file("new.PDT"));
    EXPECT_FALSE(folder.exists("new.PDT"));
    folder.write("old.PDT", "old");
    data.PersonelTable.SaveTableFile(file("old.PDT"));
    EXPECT_EQ(folder.read("old.PDT"), "old");
}

TEST_F(TableFileTest, SaveAndLoadGiveTheSameRowsInTheSameOrder)
{
    Table& table = data.CihazTable;
    const QStringList names = {QStringLiteral("Üretim Şubesi"), "Depo", QStringLiteral("çğıöşü ÇĞİÖŞÜ")};
    for (int i = 0; i < names.size(); ++i) {
        table.append();
        table.setInteger("CihazNo", i + 1);
        table.setString("CihazAdi", names[i]);
        table.setInteger("MakineNo", -2147483647 - 1);
        table.setInteger("BaglantiTipi", 32767);
        table.setString("IPAdres", "192.168.1.20");
        table.setString("Parola", "00123");
        table.setInteger("TransferDurumu", 140);
        table.setInteger("GCTip", 2);
        table.post();
    }
    table.moveTo(1);
    const QStringList before = rowsOf(table);
    table.SaveTableFile(file("Cihazlar.Dat"));
    EXPECT_EQ(table.currentRow(), 1) << "the current row stays";

    table.close();
    table.open();
    table.LoadTableFile(file("Cihazlar.Dat"));
    EXPECT_EQ(rowsOf(table), before);
    EXPECT_EQ(table.currentRow(), 0);
    EXPECT_EQ(table.state(), Table::State::Browse);
}

struct LoadCase {
    const char* name;
    QByteArray content;
    QStringList rows;  // PersonelNo|KartNo|Yetki|Sifre|IzinDurum|Secim, "-" for empty
    friend void PrintTo(const LoadCase& c, std::ostream* os) { *os << c.name; }
};

class Loading : public TableFileTest, public testing::WithParamInterface<LoadCase> {};

TEST_P(Loading, MatchesColumnsByName)
{
    addPerson(99, 99);
    folder.write("Personel.PDT", GetParam().content);
    data.PersonelTable.LoadTableFile(file("Personel.PDT"));
    EXPECT_EQ(rowsOf(data.PersonelTable), GetParam().rows);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Loading,
    testing::Values(
        LoadCase{"InFieldOrder", kPersonelHeader + "1\t2\t3\t4\t1\t0\r\n5\t6\t0\t7\t0\t1\r\n",
                 {"1|2|3|4|1|0", "5|6|0|7|0|1"}},
        LoadCase{"OtherOrderAndCase", "secim\tIZINDURUM\tsifre\tYetki\tkartno\tPersonelno\r\n0\t1\t4\t3\t2\t1\r\n",
                 {"1|2|3|4|1|0"}},
        LoadCase{"MissingColumnsStayEmpty", "KartNo\tPersonelNo\r\n8\t9\r\n", {"9|8|-|-|-|-"}},
        LoadCase{"RecIdAndUnknownColumnsSkipped", "RecId\tPersonelNo\tRenk\r\n7\t1\tmavi\r\n3\t2\tyeşil\r\n",
                 {"1|-|-|-|-|-", "2|-|-|-|-|-"}},
        LoadCase{"EmptyValuesLeaveFieldsEmpty", kPersonelHeader + "1\t\t\t4\t\t\r\n", {"1|-|-|4|-|-"}},
        LoadCase{"ShortLineLeavesTheRestEmpty", kPersonelHeader + "1\t2\r\n", {"1|2|-|-|-|-"}},
        LoadCase{"EmptyLineGivesAnEmptyRow", kPersonelHeader + "\r\n1\r\n", {"-|-|-|-|-|-", "1|-|-|-|-|-"}},
        LoadCase{"LoneLineFeedsAndNoFinalBreak", "PersonelNo\tKartNo\n1\t2\n3\t4", {"1|2|-|-|-|-", "3|4|-|-|-|-"}},
        LoadCase{"LoneCarriageReturns", "PersonelNo\r1\r2\r", {"1|-|-|-|-|-", "2|-|-|-|-|-"}},
        LoadCase{"HeaderAloneGivesAnEmptyTable", kPersonelHeader, {}}),
    tavlo::test::CaseName{});

TEST_F(TableFileTest, LoadingNumbersTheRowsFromOneInFileOrder)
{
    addPerson(1, 1);
    addPerson(2, 2);
    folder.write("Personel.PDT", "RecId\tPersonelNo\r\n9\t30\r\n8\t10\r\n7\t20\r\n");
    Table& table = data.PersonelTable;
    table.LoadTableFile(file("Personel.PDT"));
    QStringList seen;
    for (table.first(); !table.eof(); table.next())
        seen << table.asString("RecID") + ":" + table.asString("PersonelNo");
    EXPECT_EQ(seen, (QStringList{"1:30", "2:10", "3:20"}));
}

TEST_F(TableFileTest, LoadingCutsTextToTheFieldWidthAndReadsCodePage1254)
{
    folder.write("Cihazlar.Dat", "CihazAdi\tParola\r\n\xDE" "1234567890123456789012345678901234\t12345678901\r\n");
    Table& table = data.CihazTable;
    table.LoadTableFile(file("Cihazlar.Dat"));
    ASSERT_EQ(table.rowCount(), 1);
    EXPECT_EQ(table.asString("CihazAdi"), QStringLiteral("Ş12345678901234567890123456789"));
    EXPECT_EQ(table.asString("Parola"), "1234567890");
    EXPECT_EQ(table.asInteger("GCTip"), 0) << "the field's default";
}

TEST_F(TableFileTest, AZeroByteFileLeavesTheTableAsItWas)
{
    addPerson(1, 2);
    folder.write("Personel.PDT", "");
    data.PersonelTable.LoadTableFile(file("Personel.PDT"));
    EXPECT_EQ(rowsOf(data.PersonelTable), (QStringList{"1|2|-|-|-|-"}));
}

TEST_F(TableFileTest, AFileThatCannotBeOpenedIsNamedAndLeavesTheTableAsItWas)
{
    addPerson(1, 2);
    try {
        data.PersonelTable.LoadTableFile(file("missing.PDT"));
        FAIL() << "no error raised";
    } catch (const Error& e) {
        EXPECT_TRUE(e.message().startsWith("Cannot open file \"" + file("missing.PDT") + "\". "))
            << e.message().toStdString();
    }
    EXPECT_EQ(rowsOf(data.PersonelTable), (QStringList{"1|2|-|-|-|-"}));
}

struct BadFileCase {
    const char* name;
    QByteArray content;
    QString error;
    friend void PrintTo(const BadFileCase& c, std::ostream* os) { *os << c.name; }
};

class BadFiles : public TableFileTest, public testing::WithParamInterface<BadFileCase> {};

TEST_P(BadFiles, StopTheLoadAndKeepTheRowsReadBefore)
{
    addPerson(99, 99);
    folder.write("Personel.PDT", GetParam().content);
    QString error = GetParam().error;
    error.replace("<path>", file("Personel.PDT"));
    try {
        data.PersonelTable.LoadTableFile(file("Personel.PDT"));
        FAIL() << "no error raised";
    } catch (const Error& e) {
        EXPECT_EQ(e.message(), error);
    }
    Table& table = data.PersonelTable;
    EXPECT_EQ(table.state(), Table::State::Browse);
    EXPECT_EQ(table.currentRow(), 0);
    EXPECT_EQ(rowsOf(table), (QStringList{"1|2|-|-|-|-", "3|4|-|-|-|-"}));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, BadFiles,
    testing::Values(
        BadFileCase{"TextInANumberColumn", "PersonelNo\tKartNo\r\n1\t2\r\n3\t4\r\n5\tabc\r\n7\t8\r\n",
                    "'abc' is not a valid integer value"},
        BadFileCase{"NumberOutsideTheRange", "PersonelNo\tKartNo\r\n1\t2\r\n3\t4\r\n5\t2147483648\r\n",
                    "'2147483648' is not a valid integer value"},
        BadFileCase{"MoreValuesThanNames", "PersonelNo\tKartNo\r\n1\t2\r\n3\t4\r\n5\t6\t7\r\n8\t9\r\n",
                    "Cannot read file \"<path>\": line 4 holds 3 values, but the header names only 2."}),
    tavlo::test::CaseName{});

TEST_F(TableFileTest, ASmallIntegerOutOfRangeInTheFileStopsTheLoad)
{
    folder.write("Cihazlar.Dat", "CihazNo\tIsaret\r\n1\t1\r\n2\t70000\r\n");
    EXPECT_THROW(data.CihazTable.LoadTableFile(file("Cihazlar.Dat")), Error);
    EXPECT_EQ(data.CihazTable.rowCount(), 1);
}

TEST_F(TableFileTest, TabsAndLineBreaksInTextAreSavedAsBlanksSoTheFileStillLoads)
{
    Table& table = data.CihazTable;
    table.append();
    table.setString("CihazAdi", "a\tb\r\nc");
    table.setInteger("MakineNo", 4);
    table.post();
    table.SaveTableFile(file("Cihazlar.Dat"));
    table.LoadTableFile(file("Cihazlar.Dat"));
    ASSERT_EQ(table.rowCount(), 1);
    EXPECT_EQ(table.asString("CihazAdi"), "a b  c");
    EXPECT_EQ(table.asInteger("MakineNo"), 4);
}

TEST_F(TableFileTest, SavingCommitsAPendingRowFirst)
{
    addPerson(1, 2);
    data.PersonelTable.edit();
    data.PersonelTable.setInteger("Yetki", 3);
    data.PersonelTable.SaveTableFile(file("Personel.PDT"));
    EXPECT_EQ(data.PersonelTable.state(), Table::State::Browse);
    EXPECT_EQ(folder.read("Personel.PDT"), kPersonelHeader + "1\t2\t3\t\t\t\r\n");
}

// Writable by everyone, so that a test that gives up root still writes it.
void makeWritableByAll(const QString& path)
{
    QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner
                                    | QFileDevice::ReadGroup | QFileDevice::WriteGroup
                                    | QFileDevice::ReadOther | QFileDevice::WriteOther);
}

TEST_F(TableFileTest, AWritableFileInAFolderThatRefusesNewFilesIsSavedInPlace)
{
    addPerson(1, 2);
    addPerson(3, 4);
    folder.write("Personel.PDT", kPersonelHeader + "5\t6\t\t\t\t\r\n");
    makeWritableByAll(file("Personel.PDT"));
    {
        test::ReadOnlyFolder readOnly(folder.path());
        data.PersonelTable.SaveTableFile(file("Personel.PDT"));
    }
    EXPECT_EQ(folder.read("Personel.PDT"), kPersonelHeader + "1\t2\t\t\t\t\r\n3\t4\t\t\t\t\r\n");
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"Personel.PDT"});
}

TEST_F(TableFileTest, AFailedSaveLeavesTheOldFileWholeAndTheTableUnchanged)
{
    addPerson(1, 2);
    addPerson(3, 4);
    data.PersonelTable.first();
    const QByteArray old = kPersonelHeader + "5\t6\t\t\t\t\r\n";
    folder.write("Personel.PDT", old);
    // Neither a new file beside it nor the file itself takes the write.
    {
        test::ReadOnlyFolder readOnly(folder.path());
        try {
            data.PersonelTable.SaveTableFile(file("Personel.PDT"));
            FAIL() << "no error raised";
        } catch (const Error& e) {
            EXPECT_EQ(e.message(), "Cannot create file \"" + file("Personel.PDT") + "\". Permission denied");
        }
    }
    EXPECT_EQ(folder.read("Personel.PDT"), old);
    EXPECT_EQ(rowsOf(data.PersonelTable), (QStringList{"1|2|-|-|-|-", "3|4|-|-|-|-"}));
    EXPECT_EQ(data.PersonelTable.currentRow(), 0);
}

TEST_F(TableFileTest, AFileSavedAsUtf8WithAMarkLoadsAndIsSavedBackIn1254)
{
    folder.write("Cihazlar.Dat", "\xEF\xBB\xBF" "CihazNo\tCihazAdi\r\n4\tGiri\xC5\x9F Kap\xC4\xB1s\xC4\xB1\r\n");
    Table& table = data.CihazTable;
    table.LoadTableFile(file("Cihazlar.Dat"));
    ASSERT_EQ(table.rowCount(), 1);
    EXPECT_EQ(table.asInteger("CihazNo"), 4);
    EXPECT_EQ(table.asString("CihazAdi"), QStringLiteral("Giriş Kapısı"));
    table.SaveTableFile(file("Cihazlar.Dat"));
    EXPECT_EQ(folder.read("Cihazlar.Dat"), kCihazHeader + "4\tGiri\xFE Kap\xFDs\xFD\t\t\t\t\t\t\t\t\t\t\t0\r\n");
}

// A damaged file may hold a line of millions of characters; the error box
// quotes only its beginning.
TEST_F(TableFileTest, AnOverlongBadValueIsQuotedByItsBeginningOnly)
{
    folder.write("Cihazlar.Dat", "CihazNo\r\n" + QByteArray(3000000, '7') + "\r\n");
    try {
        data.CihazTable.LoadTableFile(file("Cihazlar.Dat"));
        FAIL() << "no error raised";
    } catch (const Error& e) {
        const QString expected = "'" + QString(80, u'7') + QStringLiteral("…' is not a valid integer value");
        EXPECT_TRUE(e.message() == expected) << e.message().left(200).toStdString();
    }
}

}  // namespace
}  // namespace tavlo
