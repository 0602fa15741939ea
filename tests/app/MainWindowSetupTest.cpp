#include "app/MainWindowSetup.h"
#include "store/DataModul.h"
#include "tests/support/CaseName.h"
#include "tests/support/TempFolder.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

namespace tavlo {
namespace {

const QByteArray kTerminalHeader =
    "CihazNo\tCihazAdi\tMakineNo\tBaglantiTipi\tIPAdres\tParola\tPort\tIsaret\tDurum\tAciklama\t"
    "TransferDurumu\tComportNo\tGCTip\r\n";
const QByteArray kPersonnelHeader = "PersonelNo\tKartNo\tYetki\tSifre\tIzinDurum\tSecim\r\n";

class FakeView final : public MainWindowView {
public:
    void showMovementFilePath(const QString& path) override { shownPath = path; }
    void tickDeleteAfterTransferQuietly() override { ticked = true; }

    QString shownPath;
    bool ticked = false;
};

class MainWindowSetupTest : public testing::Test {
protected:
    void run()
    {
        MainWindowSetup setup(data, values, view);
        setup.run(app.withSeparator());
    }

    QByteArray settingsFile() const { return app.read("Ayarlar.ini"); }

    test::TempFolder app;
    TDataModul data;
    ProgramValues values;
    FakeView view;
};

TEST_F(MainWindowSetupTest, FirstStartWritesTheDefaultPathAndTheTickAndNothingElse)
{
    app.write("Cihazlar.Dat", kTerminalHeader);
    run();

    const QString defaultPath = app.withSeparator() + "Hareketler.txt";
    EXPECT_EQ(settingsFile(), "[Ayarlar]\r\nKayitDosyasi=" + defaultPath.toUtf8()
                                  + "\r\nAktarimdanSonraSil=1\r\n");
    EXPECT_EQ(values.movementFilePath, defaultPath);
    EXPECT_EQ(view.shownPath, defaultPath);
    EXPECT_TRUE(view.ticked);
    EXPECT_EQ(values.entryCode, "1");
    EXPECT_EQ(values.exitCode, "0");
    EXPECT_EQ(values.applicationDirectory, app.withSeparator());
}

TEST_F(MainWindowSetupTest, EmptyMovementPathIsReplacedByTheDefaultAndWrittenBack)
{
    app.write("Cihazlar.Dat", kTerminalHeader);
    app.write("Ayarlar.ini", "[Ayarlar]\r\nKayitDosyasi=\r\nAktarimdanSonraSil=0\r\n");
    run();
    const QString defaultPath = app.withSeparator() + "Hareketler.txt";
    EXPECT_EQ(values.movementFilePath, defaultPath);
    EXPECT_EQ(settingsFile(), "[Ayarlar]\r\nKayitDosyasi=" + defaultPath.toUtf8()
                                  + "\r\nAktarimdanSonraSil=0\r\n");
}

TEST_F(MainWindowSetupTest, CodesAreCutToSevenCharacters)
{
    app.write("Cihazlar.Dat", kTerminalHeader);
    app.write("Ayarlar.ini", "[Ayarlar]\r\nKayitDosyasi=/h.txt\r\nAktarimdanSonraSil=0\r\n"
                             "GirisSTR=GIRISKAPI\r\nCikisSTR=CK\r\n");
    run();
    EXPECT_EQ(values.entryCode, "GIRISKA");
    EXPECT_EQ(values.exitCode, "CK");
    EXPECT_EQ(values.movementFilePath, "/h.txt");
}

TEST_F(MainWindowSetupTest, ARelativeMovementFileIsTakenFromTheApplicationFolder)
{
    app.write("Cihazlar.Dat", kTerminalHeader);
    const QByteArray stored = "[Ayarlar]\r\nKayitDosyasi=rel.txt\r\nAktarimdanSonraSil=0\r\n";
    app.write("Ayarlar.ini", stored);
    run();
    EXPECT_EQ(values.movementFilePath, app.file("rel.txt"));
    EXPECT_EQ(view.shownPath, app.file("rel.txt"));
    EXPECT_EQ(settingsFile(), stored) << "the setting keeps the name as it was given";
}

struct TickCase {
    const char* name;
    QByteArray stored;
    bool ticked;
    QByteArray fileAfter;
    friend void PrintTo(const TickCase& c, std::ostream* os) { *os << c.name; }
};

class DeleteAfterTransferSetting : public testing::TestWithParam<TickCase> {};

TEST_P(DeleteAfterTransferSetting, TicksTheBoxAndWritesBackOnlyWhenTrue)
{
    test::TempFolder app;
    app.write("Cihazlar.Dat", kTerminalHeader);
    app.write("Ayarlar.ini", "[Ayarlar]\r\nKayitDosyasi=/h.txt\r\n" + GetParam().stored);
    TDataModul data;
    ProgramValues values;
    FakeView view;
    MainWindowSetup(data, values, view).run(app.withSeparator());
    EXPECT_EQ(view.ticked, GetParam().ticked);
    EXPECT_EQ(app.read("Ayarlar.ini"), "[Ayarlar]\r\nKayitDosyasi=/h.txt\r\n" + GetParam().fileAfter);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DeleteAfterTransferSetting,
    testing::Values(
        TickCase{"Zero", "AktarimdanSonraSil=0\r\n", false, "AktarimdanSonraSil=0\r\n"},
        TickCase{"One", "AktarimdanSonraSil=1\r\n", true, "AktarimdanSonraSil=1\r\n"},
        TickCase{"OtherNumber", "AktarimdanSonraSil=7\r\n", true, "AktarimdanSonraSil=1\r\n"},
        TickCase{"NotANumber", "AktarimdanSonraSil=hayir\r\n", true, "AktarimdanSonraSil=1\r\n"},
        TickCase{"Missing", "", true, "AktarimdanSonraSil=1\r\n"}),
    tavlo::test::CaseName{});

TEST_F(MainWindowSetupTest, StatusColumnsAreClearedInMemoryButNotInTheFile)
{
    const QByteArray list = kTerminalHeader
                          + "1\tA\t1\t1\t10.0.0.1\t0\t5005\t1\t\tAktarım Tamamlandı\t100\t\t0\r\n"
                          + "2\tB\t2\t1\t10.0.0.2\t0\t5005\t0\t\tBağlantı kurulamadı\t37\t\t0\r\n";
    app.write("Cihazlar.Dat", list);
    run();

    Table& terminals = data.CihazTable;
    ASSERT_EQ(terminals.rowCount(), 2);
    for (int row = 0; row < 2; ++row) {
        terminals.moveTo(row);
        EXPECT_EQ(terminals.asInteger("TransferDurumu"), 0);
        EXPECT_EQ(terminals.asString("Aciklama"), "");
        EXPECT_EQ(terminals.state(), Table::State::Browse);
    }
    EXPECT_EQ(app.read("Cihazlar.Dat"), list);
    terminals.first();
    EXPECT_EQ(terminals.currentRow(), 0);
}

TEST_F(MainWindowSetupTest, MissingPersonnelFileIsCreatedWithItsHeaderAndTheDataFolder)
{
    app.write("Cihazlar.Dat", kTerminalHeader);
    run();
    EXPECT_EQ(app.read("Data/Personel.PDT"), kPersonnelHeader);
    EXPECT_TRUE(data.PersonelTable.isOpen());
    EXPECT_EQ(data.PersonelTable.rowCount(), 0);
}

TEST_F(MainWindowSetupTest, ExistingPersonnelFileIsLoaded)
{
    app.write("Cihazlar.Dat", kTerminalHeader);
    app.write("Data/Personel.PDT", kPersonnelHeader + "15\t0\t3\t1234\t1\t1\r\n");
    run();
    ASSERT_EQ(data.PersonelTable.rowCount(), 1);
    EXPECT_EQ(data.PersonelTable.asInteger("Yetki"), 3);
}

TEST_F(MainWindowSetupTest, MissingTerminalListStopsBeforeThePersonnelList)
{
    try {
        run();
        FAIL() << "no error raised";
    } catch (const Error& e) {
        EXPECT_TRUE(e.message().startsWith("Cannot open file \"" + app.file("Cihazlar.Dat")))
            << e.message().toStdString();
    }
    EXPECT_TRUE(data.CihazTable.isOpen());
    EXPECT_EQ(data.CihazTable.rowCount(), 0);
    EXPECT_FALSE(data.PersonelTable.isOpen());
    EXPECT_FALSE(app.exists("Data"));
    EXPECT_FALSE(app.exists("Cihazlar.Dat"));
    // The settings were read before the list.
    EXPECT_EQ(values.entryCode, "1");
}

TEST_F(MainWindowSetupTest, DataFolderThatCannotBeCreatedRaisesItsMessage)
{
    app.write("Cihazlar.Dat", kTerminalHeader);
    app.write("Data", "a file where the folder should be");
    try {
        run();
        FAIL() << "no error raised";
    } catch (const Error& e) {
        EXPECT_EQ(e.message(), QStringLiteral("Data klasörü oluşturulamıyor"));
    }
    EXPECT_TRUE(data.PersonelTable.isOpen());
    EXPECT_EQ(data.PersonelTable.rowCount(), 0);
}

TEST_F(MainWindowSetupTest, UnwritableSettingsStopAtTheDefaultPath)
{
    app.write("Cihazlar.Dat", kTerminalHeader);
    {
        test::ReadOnlyFolder readOnly(app.path());
        try {
            run();
            FAIL() << "no error raised";
        } catch (const Error& e) {
            EXPECT_EQ(e.message(), "Unable to write to " + app.file("Ayarlar.ini"));
        }
    }
    EXPECT_EQ(view.shownPath, "");
    EXPECT_EQ(values.entryCode, "");
    EXPECT_EQ(values.exitCode, "");
    EXPECT_FALSE(view.ticked);
    EXPECT_FALSE(data.CihazTable.isOpen());
    EXPECT_FALSE(data.PersonelTable.isOpen());
}

TEST_F(MainWindowSetupTest, UnwritableSettingsStopAtTheTickWhenThePathIsStored)
{
    app.write("Cihazlar.Dat", kTerminalHeader);
    app.write("Ayarlar.ini", "[Ayarlar]\r\nKayitDosyasi=/h.txt\r\n");
    {
        test::ReadOnlyFolder readOnly(app.path());
        EXPECT_THROW(run(), Error);
    }
    EXPECT_EQ(view.shownPath, "/h.txt");
    EXPECT_EQ(values.entryCode, "");
    EXPECT_FALSE(data.CihazTable.isOpen());
    EXPECT_FALSE(data.PersonelTable.isOpen());
    EXPECT_EQ(app.read("Ayarlar.ini"), "[Ayarlar]\r\nKayitDosyasi=/h.txt\r\n");
}

// A folder may refuse new files while its files take writes (a shared folder
// with fixed files, for one). The start then writes the settings in place.
TEST_F(MainWindowSetupTest, AFolderThatRefusesNewFilesStillTakesTheSettings)
{
    app.write("Cihazlar.Dat", kTerminalHeader);
    app.write("Data/Personel.PDT", kPersonnelHeader + "15\t0\t3\t1234\t1\t1\r\n");
    app.write("Ayarlar.ini", "[Ayarlar]\r\nGirisSTR=G\r\n");
    QFile::setPermissions(app.file("Ayarlar.ini"),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup
                              | QFileDevice::WriteGroup | QFileDevice::ReadOther | QFileDevice::WriteOther);
    {
        test::ReadOnlyFolder readOnly(app.path());
        EXPECT_NO_THROW(run());
    }
    EXPECT_EQ(settingsFile(), "[Ayarlar]\r\nGirisSTR=G\r\nKayitDosyasi=" + app.file("Hareketler.txt").toUtf8()
                                  + "\r\nAktarimdanSonraSil=1\r\n");
    EXPECT_EQ(values.entryCode, "G");
    EXPECT_EQ(data.PersonelTable.rowCount(), 1);
}

// One line of millions of characters in a damaged list: the error box gets
// a message of a few words, not the line.
TEST_F(MainWindowSetupTest, AnOverlongLineInTheTerminalListGivesAShortMessage)
{
    app.write("Cihazlar.Dat", kTerminalHeader + QByteArray(3000000, 'x') + "\r\n");
    try {
        run();
        FAIL() << "no error raised";
    } catch (const Error& e) {
        EXPECT_LE(e.message().size(), 120) << e.message().left(200).toStdString();
        EXPECT_TRUE(e.message().startsWith("'" + QString(80, u'x') + QStringLiteral("…'")))
            << e.message().left(200).toStdString();
    }
    EXPECT_FALSE(data.PersonelTable.isOpen());
}

}  // namespace
}  // namespace tavlo
