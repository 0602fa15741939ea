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
#include "store/ProgramContext.h"

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
    context_ = std::make_unique<ProgramContext>(*dataModul_, applicationDirectory_);
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
    anaForm_ = std::make_unique<TAnaForm>(*context_, probe_);
    cihazForm_ = std::make_unique<TCihazForm>(*context_);
    personelForm_ = std::make_unique<TPersonelForm>(*context_);
    musveddeForm_ = std::make_unique<TMusveddeForm>(*context_);
    cihazSecimForm_ = std::make_unique<TCihazSecimForm>(*context_);
    personelSecimForm_ = std::make_unique<TPersonelSecimForm>(*context_);
    zamanAyarForm_ = std::make_unique<TZamanAyarForm>(*context_);
    // Each window knows the others it opens only once all exist.
    anaForm_->useWindows(*personelForm_, *zamanAyarForm_, *musveddeForm_);
    personelForm_->useWindows(*cihazSecimForm_, *personelSecimForm_);
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
