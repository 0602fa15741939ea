#include "app/Fonksiyonlar.h"
#include "platform/SystemFacilities.h"
#include "tests/support/CaseName.h"

#include <gtest/gtest.h>

#include <set>

namespace tavlo {
namespace {

// Records every call in order, as one list of lines.
class RecordingSystem final : public SystemFacilities {
public:
    QString systemDirectory() override { return "/win/system32"; }
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

}  // namespace
}  // namespace tavlo
