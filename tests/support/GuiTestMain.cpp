// Entry of the tests that need windows: one QApplication for the whole run,
// with Qt's Turkish translation as the program has it.
#include "app/Translation.h"

#include <QApplication>
#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    testing::InitGoogleTest(&argc, argv);
    // Windows are tested headless, also when CTest lists the tests.
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    tavlo::installTurkishTranslation(application);
    return RUN_ALL_TESTS();
}
