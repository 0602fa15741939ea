#include "platform/Error.h"
#include "platform/registry/ClassRegistry.h"
#include "platform/registry/SystemFolders.h"
#include "terminal/TSBXPC.h"
#include "tests/support/CaseName.h"
#include "tests/support/TempFolder.h"
#include "tests/support/UserFolders.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <gtest/gtest.h>

namespace tavlo::test {
namespace {

QString binary(const QString& name)
{
    return QDir(UserFolders::binaryFolder()).filePath(name);
}

struct ToolRun {
    int exitCode = -1;
    QString output;
};

ToolRun regsvr32(const QStringList& arguments, const QString& program = binary("regsvr32"))
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(20000))
        return {};
    return {process.exitCode(),
            QString::fromLocal8Bit(process.readAllStandardOutput() + process.readAllStandardError())};
}

std::optional<QString> registered()
{
    const auto path = ClassRegistry::forCurrentUser().lookup(TSBXPC::kClassId);
    return path ? std::optional(QString::fromStdString(path->string())) : std::nullopt;
}

TEST(Regsvr32, RegistersTheControlBesideItAndUnregistersIt)
{
    UserFolders user;
    const ToolRun done = regsvr32({"sbxpc.ocx"});
    EXPECT_EQ(done.exitCode, 0);
    EXPECT_EQ(done.output.trimmed(), "DllRegisterServer in sbxpc.ocx succeeded.");
    EXPECT_EQ(registered(), binary("sbxpc.ocx"));
    EXPECT_NO_THROW(TSBXPC());

    const ToolRun undone = regsvr32({"/u", "sbxpc.ocx"});
    EXPECT_EQ(undone.exitCode, 0);
    EXPECT_EQ(registered(), std::nullopt);
    EXPECT_THROW(TSBXPC(), Error);
}

TEST(Regsvr32, FindsTheControlInTheSystemDirectory)
{
    UserFolders user;
    TempFolder tool;
    ASSERT_TRUE(QFile::copy(binary("regsvr32"), tool.file("regsvr32")));
    QFile::setPermissions(tool.file("regsvr32"), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    const QString system = QString::fromStdString(systemfolders::systemDirectory().string());
    ASSERT_FALSE(system.isEmpty());
    for (const char* file : {"SBPCCOMM.DLL", "sbxpc.ocx", "SBXPCDLL.dll", "GEN_FONT.dll"})
        ASSERT_TRUE(QFile::copy(binary(file), QDir(system).filePath(file)));

    EXPECT_EQ(regsvr32({"/s", "sbxpc.ocx"}, tool.file("regsvr32")).exitCode, 0);
    EXPECT_EQ(registered(), QDir(system).filePath("sbxpc.ocx"));
    // The copy loads with its companions from its own folder.
    TSBXPC cc;
    cc.CloseLink();
}

struct FailureCase {
    const char* name;
    QStringList arguments;
    int exitCode;
    const char* says;
    friend void PrintTo(const FailureCase& c, std::ostream* os) { *os << c.name; }
};

class Regsvr32Failure : public testing::TestWithParam<FailureCase> {};

TEST_P(Regsvr32Failure, ExitsWithTheWindowsCode)
{
    UserFolders user;
    TempFolder folder;
    folder.write("text.ocx", "plain text");
    QStringList arguments;
    for (const QString& a : GetParam().arguments)
        arguments << QString(a).replace("@", folder.path());
    const ToolRun run = regsvr32(arguments);
    EXPECT_EQ(run.exitCode, GetParam().exitCode) << run.output.toStdString();
    EXPECT_TRUE(run.output.contains(QString::fromUtf8(GetParam().says))) << run.output.toStdString();
    EXPECT_EQ(registered(), std::nullopt);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Regsvr32Failure,
    testing::Values(FailureCase{"NoFile", {}, 1, "Usage: regsvr32"},
                    FailureCase{"Missing", {"@/none.ocx"}, 3, "failed to load"},
                    FailureCase{"NotALibrary", {"@/text.ocx"}, 3, "failed to load"},
                    FailureCase{"NoEntry", {"GEN_FONT.dll"}, 4, "DllRegisterServer was not found"}),
    tavlo::test::CaseName{});

TEST(Regsvr32, ReportsARegistryItCannotWrite)
{
    UserFolders user;
    TempFolder folder;
    // The per-user folder would have to be made inside a plain file.
    folder.write("file", "not a folder");
    const QByteArray previous = qgetenv("XDG_DATA_HOME");
    qputenv("XDG_DATA_HOME", folder.file("file").toLocal8Bit());
    const ToolRun run = regsvr32({"sbxpc.ocx"});
    qputenv("XDG_DATA_HOME", previous);
    EXPECT_EQ(run.exitCode, 5) << run.output.toStdString();
    EXPECT_TRUE(run.output.contains("The call to DllRegisterServer in \"sbxpc.ocx\" failed"))
        << run.output.toStdString();
    EXPECT_EQ(registered(), std::nullopt);
}

}  // namespace
}  // namespace tavlo::test
