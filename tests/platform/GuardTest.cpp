#include "platform/Guard.h"
#include "tests/support/ScriptedDialogs.h"

#include <gtest/gtest.h>

namespace tavlo {
namespace {

TEST(Guard, ShowsTheMessageOfAnExceptionAndGoesOn)
{
    test::ScriptedDialogs dialogs;
    EXPECT_FALSE(guarded([] { throw Error(QStringLiteral("Data klasörü oluşturulamıyor")); }));
    EXPECT_FALSE(guarded([] { throw std::out_of_range("index out of range"); }));
    EXPECT_EQ(dialogs.errors,
              (QStringList{QStringLiteral("Data klasörü oluşturulamıyor"), "index out of range"}));
}

TEST(Guard, AHandlerThatEndsNormallyShowsNothing)
{
    test::ScriptedDialogs dialogs;
    int ran = 0;
    EXPECT_TRUE(guarded([&] { ++ran; }));
    EXPECT_EQ(ran, 1);
    EXPECT_TRUE(dialogs.errors.isEmpty());
}

}  // namespace
}  // namespace tavlo
