#include "app/Startup.h"
#include "app/ui/AnaForm.h"
#include "store/DataModul.h"
#include "tests/emulator/DriverSettings.h"
#include "tests/emulator/EmulatorProcess.h"
#include "tests/support/PrintQt.h"
#include "tests/support/ScriptedDialogs.h"
#include "tests/support/TempFolder.h"
#include "tests/support/UserFolders.h"

#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <gtest/gtest.h>

#include <memory>

namespace tavlo {
namespace {

const QByteArray kRecords =
    "user\tmode\tyear\tmonth\tday\thour\tminute\tsecond\n"
    "123\t1\t2024\t3\t5\t8\t7\t0\n"
    "4567\t1\t2024\t3\t6\t9\t15\t0\n";
const QByteArray kLines = "001,000123,1,2024/03/05,08:07:00,1\r\n"
                          "001,004567,1,2024/03/06,09:15:00,1\r\n";

// A relative movement file name, from the settings file or from the
// settings page, stands for a file of the application folder. The program
// is started from another folder, as from a desktop launcher or a shell.
class AnaFormFileNameTest : public testing::Test {
protected:
    AnaFormFileNameTest()
    {
        user.registerControl();
        terminalFolder.write("records.tsv", kRecords);
        test::EmulatorProcess::runOnce({"--state", terminalFolder.file("state"), "--import-records",
                                        terminalFolder.file("records.tsv")});
        test::EmulatorProcess::Options options;
        options.stateFolder = terminalFolder.file("state");
        emulator = std::make_unique<test::EmulatorProcess>(options);
        app.write("Cihazlar.Dat",
                  "CihazNo\tCihazAdi\tMakineNo\tBaglantiTipi\tIPAdres\tParola\tPort\tIsaret\tDurum\t"
                  "Aciklama\tTransferDurumu\tComportNo\tGCTip\r\n"
                  "1\tKapi\t1\t1\t127.0.0.1\t0\t" + QByteArray::number(emulator->port())
                      + "\t1\t\t\t0\t\t0\r\n");
        QDir::setCurrent(startedIn.path());
    }
    ~AnaFormFileNameTest() override { QDir::setCurrent(workingFolder); }

    void create()
    {
        context = std::make_unique<ProgramContext>(data, app.withSeparator());
        form = std::make_unique<TAnaForm>(*context, probe);
        form->show();
    }
    template <typename T>
    T* child(const char* name) const
    {
        return form->findChild<T*>(QLatin1String(name));
    }
    void transfer()
    {
        child<QPushButton>("AktarButon")->click();
        EXPECT_TRUE(dialogs.errors.isEmpty()) << dialogs.errors.join('\n').toStdString();
    }

    const QString workingFolder = QDir::currentPath();
    test::UserFolders user;
    test::DriverSettings driver{1000, 2000};
    test::TempFolder terminalFolder;
    std::unique_ptr<test::EmulatorProcess> emulator;
    test::TempFolder app;
    test::TempFolder startedIn;
    test::ScriptedDialogs dialogs;
    ControlProbe probe;
    TDataModul data;
    std::unique_ptr<ProgramContext> context;
    std::unique_ptr<TAnaForm> form;
};

TEST_F(AnaFormFileNameTest, ARelativeNameInTheSettingsFileIsWrittenInTheApplicationFolder)
{
    app.write("Ayarlar.ini", "[Ayarlar]\r\nKayitDosyasi=rel.txt\r\nAktarimdanSonraSil=1\r\n");
    create();
    EXPECT_EQ(child<QLineEdit>("AdresEdit")->text(), app.file("rel.txt"));
    transfer();
    EXPECT_EQ(app.read("rel.txt"), kLines);
    EXPECT_FALSE(startedIn.exists("rel.txt"));
}

TEST_F(AnaFormFileNameTest, ARelativeNameSavedOnTheSettingsPageIsWrittenInTheApplicationFolder)
{
    create();
    child<QLineEdit>("AdresEdit")->setText("rel.txt");
    child<QPushButton>("AdresKaydetButon")->click();
    EXPECT_EQ(app.read("Ayarlar.ini"), "[Ayarlar]\r\nKayitDosyasi=rel.txt\r\nAktarimdanSonraSil=1\r\n");
    EXPECT_EQ(form->values().movementFilePath, app.file("rel.txt"));
    transfer();
    EXPECT_EQ(app.read("rel.txt"), kLines);
    EXPECT_FALSE(startedIn.exists("rel.txt"));
    EXPECT_FALSE(app.exists("Hareketler.txt"));
}

}  // namespace
}  // namespace tavlo
