// Entry of Tavlo Senkor: creates the data module, then the windows, and runs
// the message loop until the main window is closed.
#include "app/Translation.h"
#include "app/ui/AnaForm.h"
#include "platform/ui/QtDialogs.h"
#include "store/DataModul.h"

#include <QApplication>

#include <memory>

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tavlo Senkor"));
    QApplication::setApplicationDisplayName(QStringLiteral("Tavlo Senkor"));
    tavlo::installTurkishTranslation(application);

    tavlo::QtDialogs dialogs;
    tavlo::installDialogs(&dialogs);

    const QString applicationDirectory = QCoreApplication::applicationDirPath() + u'/';
    auto data = std::make_unique<tavlo::TDataModul>();
    tavlo::TAnaForm mainWindow(*data, applicationDirectory);
    mainWindow.show();
    const int result = QApplication::exec();
    tavlo::installDialogs(nullptr);
    return result;
}
