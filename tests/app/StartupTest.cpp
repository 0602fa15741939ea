#include "admin/ui/CihazForm.h"
#include "admin/ui/ZamanAyarForm.h"
#include "app/Startup.h"
#include "app/ui/AnaForm.h"
#include "diag/ui/MusveddeForm.h"
#include "personnel/ui/CihazSecimForm.h"
#include "personnel/ui/PersonelForm.h"
#include "personnel/ui/PersonelSecimForm.h"
#include "platform/HostSystem.h"
#include "platform/registry/ClassRegistry.h"
#include "platform/registry/SystemFolders.h"
#include "tests/support/ScriptedDialogs.h"
#include "tests/support/TempFolder.h"
#include "tests/support/UserFolders.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QTest>
#include <gtest/gtest.h>

namespace tavlo {
namespace {

constexpr auto kClassId = "{2894E36D-6941-48E0-ABF9-0D38241884FB}";
const QStringList kDriverFiles = {"SBPCCOMM.DLL", "sbxpc.ocx", "SBXPCDLL.dll", "GEN_FONT.dll"};

// The machine's own facilities, with every call written down.
class RecordingHostSystem final : public SystemFacilities {
public:
    explicit RecordingHostSystem(const QString& applicationDirectory) : host_(applicationDirectory) {}

    QString systemDirectory() override { return host_.systemDirectory(); }
    std::optional<Wow64Answer> querySystemWow64Directory(int size) override
    {
        return host_.querySystemWow64Directory(size);
    }
    bool directoryExists(const QString& path) override { return host_.directoryExists(path); }
    bool copyFile(const QString& source, const QString& target) override
    {
        copies << QFileInfo(source).fileName() + " -> " + target;
        return host_.copyFile(source, target);
    }
    void startCommand(const QString& commandLine) override
    {
        commands << commandLine;
        host_.startCommand(commandLine);
    }
    void requestQuit() override
    {
        ++quitRequests;
        host_.requestQuit();
    }

    QStringList copies;
    QStringList commands;
    int quitRequests = 0;

private:
    HostSystem host_;
};

// A fresh application folder: the program's companions as an installation
// puts them beside it, and nothing else.
class FreshApplicationFolder : public test::TempFolder {
public:
    FreshApplicationFolder()
    {
        for (const QString& file : kDriverFiles + QStringList{"regsvr32"})
            QFile::copy(QDir(test::UserFolders::binaryFolder()).filePath(file), this->file(file));
        write("Cihazlar.Dat",
              "CihazNo\tCihazAdi\tMakineNo\tBaglantiTipi\tIPAdres\tParola\tPort\tIsaret\tDurum\t"
              "Aciklama\tTransferDurumu\tComportNo\tGCTip\r\n");
    }
};

bool waitForRegistration()
{
    const ClassRegistry registry(systemfolders::registryFile());
    QDeadlineTimer deadline(10000);
    while (!registry.lookup(kClassId)) {
        if (deadline.hasExpired())
            return false;
        QTest::qWait(20);
    }
    return true;
}

TEST(Startup, WithoutTheControlInstallsTheDriverAndTheNextStartShowsTheMainWindow)
{
    test::UserFolders user;
    test::ScriptedDialogs dialogs;
    FreshApplicationFolder app;

    RecordingHostSystem system(app.withSeparator());
    {
        Startup first(app.withSeparator(), system);
        EXPECT_FALSE(first.createInstances());
        EXPECT_EQ(first.AnaForm(), nullptr);
        EXPECT_FALSE(first.probe().KontrolHazir);
    }
    EXPECT_EQ(dialogs.messages, QStringList{QString::fromUtf8(Startup::kMissingDriverMessage)});
    const QString systemDirectory = system.systemDirectory();
    QStringList expectedCopies;
    for (const QString& file : kDriverFiles)
        expectedCopies << file + " -> " + systemDirectory + "/" + file;
    EXPECT_EQ(system.copies, expectedCopies);
    for (const QString& file : kDriverFiles)
        EXPECT_TRUE(QFile::exists(systemDirectory + "/" + file)) << file.toStdString();
    EXPECT_EQ(system.commands, QStringList{"regsvr32 sbxpc.ocx"});
    EXPECT_EQ(system.quitRequests, 1);
    ASSERT_TRUE(waitForRegistration()) << "regsvr32 did not register the control";

    Startup second(app.withSeparator(), system);
    ASSERT_TRUE(second.createInstances());
    EXPECT_TRUE(second.probe().KontrolHazir);
    EXPECT_EQ(dialogs.messages.size(), 1);
    EXPECT_EQ(system.commands.size(), 1);
    ASSERT_NE(second.AnaForm(), nullptr);
    EXPECT_EQ(second.AnaForm()->windowTitle(), "Tavlo Senkor  v1.7");
    EXPECT_EQ(second.CihazForm()->windowTitle(), "Cihaz Ekle / Düzenle");
    EXPECT_EQ(second.PersonelForm()->windowTitle(), "Personel Kayıtları");
    EXPECT_EQ(second.MusveddeForm()->windowTitle(), "MusveddeForm");
    EXPECT_EQ(second.CihazSecimForm()->windowTitle(), "Cihaz Seçimi");
    EXPECT_EQ(second.PersonelSecimForm()->windowTitle(), "Cihazdaki Personeller");
    EXPECT_EQ(second.ZamanAyarForm()->windowTitle(), "Tarih / Saat Ayarla");
    EXPECT_TRUE(dialogs.errors.isEmpty()) << dialogs.errors.join('\n').toStdString();
}

TEST(Startup, ARegisteredControlWhoseFileIsGoneCountsAsMissing)
{
    test::UserFolders user;
    test::ScriptedDialogs dialogs;
    FreshApplicationFolder app;
    ClassRegistry(systemfolders::registryFile())
        .registerClass(kClassId, app.file("gone/sbxpc.ocx").toStdString());

    RecordingHostSystem system(app.withSeparator());
    Startup startup(app.withSeparator(), system);
    EXPECT_FALSE(startup.createInstances());
    EXPECT_EQ(dialogs.messages.size(), 1);
    EXPECT_EQ(system.copies.size(), 4);
    EXPECT_EQ(system.commands, QStringList{"regsvr32 sbxpc.ocx"});
}

TEST(Startup, WithoutAMainWindowTheProgramEndsAtOnce)
{
    test::UserFolders user;
    test::ScriptedDialogs dialogs;
    FreshApplicationFolder app;
    RecordingHostSystem system(app.withSeparator());
    EXPECT_EQ(runProgram(app.withSeparator(), system), 0);
    EXPECT_EQ(dialogs.messages.size(), 1);
    ASSERT_TRUE(waitForRegistration());
}

}  // namespace
}  // namespace tavlo
