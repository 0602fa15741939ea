// Entry of Tavlo Senkor: creates the data module, then the windows, and runs
// the message loop until the main window is closed.
#include "app/Startup.h"
#include "platform/HostSystem.h"
#include "platform/ui/QtDialogs.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    tavlo::configureApplication(application);

    tavlo::QtDialogs dialogs;
    tavlo::installDialogs(&dialogs);

    const QString applicationDirectory = QCoreApplication::applicationDirPath() + u'/';
    tavlo::HostSystem system(applicationDirectory);
    const int result = tavlo::runProgram(applicationDirectory, system);
    tavlo::installDialogs(nullptr);
    return result;
}
