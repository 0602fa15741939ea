// Entry of the grid tests: one QApplication for the whole run. The grids
// need no more of the program than that, so they do not link its windows.
#include <QApplication>
#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    testing::InitGoogleTest(&argc, argv);
    QApplication application(argc, argv);
    return RUN_ALL_TESTS();
}
