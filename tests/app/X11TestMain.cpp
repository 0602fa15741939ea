// Entry of the tests that need the real window system: an X server and a
// session bus of their own, then one QApplication configured as the
// program's is.
#include "app/Startup.h"
#include "tests/platform_ui/X11Session.h"

#include <QApplication>
#include <gtest/gtest.h>

#include <optional>

int main(int argc, char** argv)
{
    testing::InitGoogleTest(&argc, argv);
    // Listing the tests needs no window system.
    std::optional<tavlo::test::X11Session> session;
    if (GTEST_FLAG_GET(list_tests))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    else
        session.emplace();
    int result = 0;
    {
        QApplication application(argc, argv);
        tavlo::configureApplication(application);
        result = RUN_ALL_TESTS();
    }
    return result;
}
