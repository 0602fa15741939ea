#include "app/Fonksiyonlar.h"
#include "platform/Error.h"
#include "platform/HostSystem.h"
#include "platform/SystemFacilities.h"
#include "platform/registry/ClassRegistry.h"
#include "platform/registry/SystemFolders.h"
#include "tests/support/CaseName.h"
#include "tests/support/PrintQt.h"
#include "tests/support/ScriptedDialogs.h"
#include "tests/support/TempFolder.h"
#include "tests/support/UserFolders.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>

#include <chrono>
#include <set>
#include <thread>

namespace tavlo {
namespace {

// Records every call in order, as one list of lines.
class RecordingSystem final : public SystemFacilities {
public:
    QString systemDirectory() override
    {
        if (systemDirectoryError)
            throw Error(*systemDirectoryError);
        return systemDirectoryAnswer;
    }
    std::optional<Wow64Answer> querySystemWow64Directory(int bufferSize) override
    {
        calls << QString("wow64 buffer %1").arg(bufferSize);
        return wow64;
    }
    bool directoryExists(const QString& path) override { return existing.count(path) > 0; }
    bool copyFile(const QString& source, const QString& target) override
    {
        calls << "copy " + source + " -> " + target;
        return false;  // failures must not change anything
    }
    void startCommand(const QString& commandLine) override { calls << "start " + commandLine; }
    void requestQuit() override { calls << "quit"; }

    QString systemDirectoryAnswer = "/win/system32";
    std::optional<QString> systemDirectoryError;
    std::optional<Wow64Answer> wow64;
    std::set<QString> existing;
    QStringList calls;
};

QStringList copiesInto(const QString& folder)
{
    QStringList copies;
    for (const char* file : {"SBPCCOMM.DLL", "sbxpc.ocx", "SBXPCDLL.dll", "GEN_FONT.dll"})
        copies << QString("copy /app/%1 -> %2/%1").arg(QLatin1String(file), folder);
    return copies;
}

struct InstallCase {
    const char* name;
    std::optional<SystemFacilities::Wow64Answer> wow64;
    bool wow64Exists;
    bool copiesTwice;
    friend void PrintTo(const InstallCase& c, std::ostream* os) { *os << c.name; }
};

class InstallTerminalSdk : public testing::TestWithParam<InstallCase> {};

TEST_P(InstallTerminalSdk, CopiesInOrderThenRegistersAndQuits)
{
    RecordingSystem system;
    system.wow64 = GetParam().wow64;
    if (GetParam().wow64Exists && system.wow64)
        system.existing.insert(system.wow64->text);
    Fonksiyonlar(system, "/app/").InstallTerminalSdk();

    QStringList expected{"wow64 buffer 261"};
    expected << copiesInto("/win/system32");
    if (GetParam().copiesTwice)
        expected << copiesInto("/win/SysWOW64");
    expected << "start regsvr32 sbxpc.ocx" << "quit";
    EXPECT_EQ(system.calls, expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, InstallTerminalSdk,
    testing::Values(
        InstallCase{"NoWow64Lookup", std::nullopt, false, false},
        InstallCase{"Wow64LookupFails", SystemFacilities::Wow64Answer{0, ""}, false, false},
        InstallCase{"Wow64Directory", SystemFacilities::Wow64Answer{13, "/win/SysWOW64"}, true, true},
        InstallCase{"Wow64DirectoryMissing", SystemFacilities::Wow64Answer{13, "/win/SysWOW64"},
                    false, false},
        InstallCase{"Wow64AnswerTooLong", SystemFacilities::Wow64Answer{261, "/win/SysWOW64"},
                    true, false},
        InstallCase{"Wow64OnlyBlanks", SystemFacilities::Wow64Answer{3, "   "}, true, false}),
    tavlo::test::CaseName{});

TEST(GetWow64SystemDir, AcceptsLengthsFromOneTo260)
{
    RecordingSystem system;
    Fonksiyonlar functions(system, "/app/");
    system.wow64 = SystemFacilities::Wow64Answer{260, "/w"};
    EXPECT_EQ(functions.GetWow64SystemDir(), "/w");
    system.wow64 = SystemFacilities::Wow64Answer{1, "/"};
    EXPECT_EQ(functions.GetWow64SystemDir(), "/");
    system.wow64 = SystemFacilities::Wow64Answer{-1, "/w"};
    EXPECT_EQ(functions.GetWow64SystemDir(), "");
}

struct NoSystemDirectoryCase {
    const char* name;
    std::optional<QString> error;
    const char* says;
    friend void PrintTo(const NoSystemDirectoryCase& c, std::ostream* os) { *os << c.name; }
};

class InstallWithoutSystemDirectory : public testing::TestWithParam<NoSystemDirectoryCase> {};

TEST_P(InstallWithoutSystemDirectory, SaysSoCopiesNothingAndQuits)
{
    test::ScriptedDialogs dialogs;
    RecordingSystem system;
    system.wow64 = SystemFacilities::Wow64Answer{13, "/win/SysWOW64"};
    system.existing.insert("/win/SysWOW64");
    system.systemDirectoryAnswer = "";
    system.systemDirectoryError = GetParam().error;
    Fonksiyonlar(system, "/app/").InstallTerminalSdk();

    EXPECT_EQ(system.calls, QStringList{"quit"});
    EXPECT_EQ(dialogs.messages,
              QStringList{QString::fromUtf8(Fonksiyonlar::kNoSystemDirectoryMessage)
                              .arg(QString::fromUtf8(GetParam().says))});
}

INSTANTIATE_TEST_SUITE_P(
    Cases, InstallWithoutSystemDirectory,
    testing::Values(NoSystemDirectoryCase{"CannotBeMade", QString("no room"), "no room"},
                    NoSystemDirectoryCase{"EmptyAnswer", std::nullopt, Fonksiyonlar::kSystemDirectoryUnknown}),
    tavlo::test::CaseName{});

// The machine's own facilities, every copy and command written down; the
// request to end is only counted, since the tests' process has no loop.
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
        copies << target;
        return host_.copyFile(source, target);
    }
    void startCommand(const QString& commandLine) override
    {
        commands << commandLine;
        host_.startCommand(commandLine);
    }
    void requestQuit() override { ++quitRequests; }

    QStringList copies;
    QStringList commands;
    int quitRequests = 0;

private:
    HostSystem host_;
};

// An application folder as an installation leaves it: the program's
// companions beside it.
class InstalledFolder : public test::TempFolder {
public:
    InstalledFolder()
    {
        for (const QString& file : Fonksiyonlar::sdkFiles() + QStringList{"regsvr32"})
            QFile::copy(QDir(test::UserFolders::binaryFolder()).filePath(file), this->file(file));
    }
};

// The class registered for the control once the detached registration has
// written it, or nothing when it never does.
std::optional<QString> registeredControl()
{
    const ClassRegistry registry(systemfolders::registryFile());
    for (int i = 0; i < 1000; ++i) {
        if (const auto path = registry.lookup("{2894E36D-6941-48E0-ABF9-0D38241884FB}"))
            return QString::fromStdString(path->string());
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return std::nullopt;
}

TEST(InstallOnThisMachine, RegistersTheCopyInTheSystemDirectory)
{
    test::UserFolders user;
    InstalledFolder app;
    RecordingHostSystem system(app.withSeparator());
    Fonksiyonlar(system, app.withSeparator()).InstallTerminalSdk();

    const QString systemDirectory = system.systemDirectory();
    ASSERT_TRUE(systemDirectory.startsWith(user.path() + '/')) << systemDirectory.toStdString();
    EXPECT_EQ(system.copies.size(), 4);
    EXPECT_EQ(system.commands, QStringList{"regsvr32 sbxpc.ocx"});
    EXPECT_EQ(system.quitRequests, 1);
    EXPECT_EQ(registeredControl(), QDir(systemDirectory).filePath("sbxpc.ocx"));
}

TEST(InstallOnThisMachine, WhereTheSystemDirectoryCannotBeMadeSaysWhyAndCopiesNothing)
{
    test::UserFolders user;
    test::ScriptedDialogs dialogs;
    InstalledFolder app;
    // The per-user folders would have to be made inside a plain file.
    app.write("plain-file", "not a folder");
    const QByteArray previous = qgetenv("XDG_DATA_HOME");
    qputenv("XDG_DATA_HOME", app.file("plain-file").toLocal8Bit());
    RecordingHostSystem system(app.withSeparator());
    Fonksiyonlar(system, app.withSeparator()).InstallTerminalSdk();
    qputenv("XDG_DATA_HOME", previous);

    EXPECT_EQ(system.copies, QStringList{});
    EXPECT_EQ(system.commands, QStringList{});
    EXPECT_EQ(system.quitRequests, 1);
    const QString folder = app.file("plain-file/tavlo-platform/system32");
    ASSERT_EQ(dialogs.messages.size(), 1);
    EXPECT_EQ(dialogs.messages.front(),
              QString::fromUtf8(Fonksiyonlar::kNoSystemDirectoryMessage)
                  .arg(QString::fromUtf8("Sistem klasörü \"%1\" oluşturulamıyor: Not a directory").arg(folder)));
}

}  // namespace
}  // namespace tavlo
