#include "app/Startup.h"

#include "admin/ui/CihazForm.h"
#include "admin/ui/ZamanAyarForm.h"
#include "app/Fonksiyonlar.h"
#include "app/Translation.h"
#include "app/ui/AnaForm.h"
#include "diag/ui/MusveddeForm.h"
#include "personnel/ui/CihazSecimForm.h"
#include "personnel/ui/PersonelForm.h"
#include "personnel/ui/PersonelSecimForm.h"
#include "platform/Dialogs.h"
#include "platform/ui/WindowAccessibility.h"
#include "store/DataModul.h"

#include <QApplication>

namespace tavlo {

Startup::Startup(QString applicationDirectory, SystemFacilities& system)
    : applicationDirectory_(std::move(applicationDirectory)), system_(system)
{
}

Startup::~Startup() = default;

bool Startup::createInstances()
{
    // An error here is not caught: without the data module nothing can run.
    dataModul_ = std::make_unique<TDataModul>();
    try {
        createWindows();
    } catch (...) {
        // The error itself is never shown. Only a missing control matters.
        if (!probe_.KontrolHazir) {
            dialogs().showMessage(QString::fromUtf8(kMissingDriverMessage));
            Fonksiyonlar(system_, applicationDirectory_).InstallTerminalSdk();
            installing_ = true;
        }
    }
    return anaForm_ && !installing_;
}

void Startup::createWindows()
{
    anaForm_ = std::make_unique<TAnaForm>(*dataModul_, applicationDirectory_, probe_);
    cihazForm_ = std::make_unique<TCihazForm>();
    personelForm_ = std::make_unique<TPersonelForm>();
    musveddeForm_ = std::make_unique<TMusveddeForm>();
    cihazSecimForm_ = std::make_unique<TCihazSecimForm>();
    personelSecimForm_ = std::make_unique<TPersonelSecimForm>();
    zamanAyarForm_ = std::make_unique<TZamanAyarForm>();
}

void configureApplication(QApplication& application)
{
    QApplication::setApplicationName(QStringLiteral("Tavlo Senkor"));
    installTurkishTranslation(application);
    installWindowAccessibility();
}

int runProgram(const QString& applicationDirectory, SystemFacilities& system)
{
    Startup startup(applicationDirectory, system);
    if (startup.createInstances())
        startup.AnaForm()->show();
    else if (!startup.AnaForm())
        // Without a main window the loop has nothing to wait for.
        return 0;
    return QApplication::exec();
}

}  // namespace tavlo
