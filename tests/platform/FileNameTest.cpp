#include "platform/FileName.h"
#include "tests/support/CaseName.h"
#include "tests/support/PrintQt.h"
#include "tests/support/TempFolder.h"

#include <QDir>
#include <QFileInfo>
#include <gtest/gtest.h>

namespace tavlo {
namespace {

struct NameCase {
    const char* name;
    QString given;
    QString resolved;  // "<app>" stands for the application folder, "<up>" for the one above it
    friend void PrintTo(const NameCase& c, std::ostream* os) { *os << c.name; }
};

class ResolveFileName : public testing::TestWithParam<NameCase> {};

TEST_P(ResolveFileName, TakesRelativeNamesFromTheApplicationFolder)
{
    test::TempFolder app;
    test::TempFolder elsewhere;
    // The folder the program was started in plays no part.
    const QString started = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(elsewhere.path()));
    const QString resolved = resolveFileName(app.withSeparator(), GetParam().given);
    QDir::setCurrent(started);
    const QString expected = QString(GetParam().resolved)
                                 .replace("<app>", app.path())
                                 .replace("<up>", QFileInfo(app.path()).path());
    EXPECT_EQ(resolved.toStdString(), expected.toStdString());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ResolveFileName,
    testing::Values(NameCase{"Relative", "rel.txt", "<app>/rel.txt"},
                    NameCase{"InASubfolder", "Data/rel.txt", "<app>/Data/rel.txt"},
                    NameCase{"FromTheCurrentFolderMark", "./rel.txt", "<app>/rel.txt"},
                    NameCase{"UpOneFolder", "../rel.txt", "<up>/rel.txt"},
                    NameCase{"Absolute", "/veri/Hareketler.txt", "/veri/Hareketler.txt"},
                    NameCase{"AbsoluteKeptAsGiven", "/veri//./Hareketler.txt", "/veri//./Hareketler.txt"},
                    NameCase{"Empty", "", ""}),
    tavlo::test::CaseName{});

}  // namespace
}  // namespace tavlo
