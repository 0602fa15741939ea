#pragma once

#include <QString>

#include <memory>

QT_FORWARD_DECLARE_CLASS(QApplication)

namespace tavlo {

class ProgramContext;
class SystemFacilities;
class TAnaForm;
class TCihazForm;
class TCihazSecimForm;
class TDataModul;
class TMusveddeForm;
class TPersonelForm;
class TPersonelSecimForm;
class TZamanAyarForm;

// Set by the main window's creation when the probe of its terminal control
// returned normally; read only when creating the windows fails.
struct ControlProbe {
    bool KontrolHazir = false;
};

// The program's single instances, made in a fixed order: the data module,
// then the seven windows. When making a window fails and the control's probe
// did not complete, the terminal driver is missing: the operator is told,
// the driver is installed and the program is asked to end.
class Startup {
public:
    static constexpr auto kMissingDriverMessage =
        "Eksik Dll dosyaları kaydedildikten sonra lütfen programı yeniden başlatın.";

    Startup(QString applicationDirectory, SystemFacilities& system);
    ~Startup();
    Startup(const Startup&) = delete;
    Startup& operator=(const Startup&) = delete;

    // Makes the instances. True when the main window exists and the program
    // is not installing the driver, so the main window is to be shown.
    bool createInstances();

    const ControlProbe& probe() const { return probe_; }
    TDataModul* DataModul() const { return dataModul_.get(); }
    TAnaForm* AnaForm() const { return anaForm_.get(); }
    TCihazForm* CihazForm() const { return cihazForm_.get(); }
    TPersonelForm* PersonelForm() const { return personelForm_.get(); }
    TMusveddeForm* MusveddeForm() const { return musveddeForm_.get(); }
    TCihazSecimForm* CihazSecimForm() const { return cihazSecimForm_.get(); }
    TPersonelSecimForm* PersonelSecimForm() const { return personelSecimForm_.get(); }
    TZamanAyarForm* ZamanAyarForm() const { return zamanAyarForm_.get(); }

private:
    void createWindows();

    QString applicationDirectory_;
    SystemFacilities& system_;
    ControlProbe probe_;
    bool installing_ = false;

    // Windows are destroyed before the data module whose tables they show.
    std::unique_ptr<TDataModul> dataModul_;
    std::unique_ptr<ProgramContext> context_;
    std::unique_ptr<TAnaForm> anaForm_;
    std::unique_ptr<TCihazForm> cihazForm_;
    std::unique_ptr<TPersonelForm> personelForm_;
    std::unique_ptr<TMusveddeForm> musveddeForm_;
    std::unique_ptr<TCihazSecimForm> cihazSecimForm_;
    std::unique_ptr<TPersonelSecimForm> personelSecimForm_;
    std::unique_ptr<TZamanAyarForm> zamanAyarForm_;
};

// Readies the application object before any window exists: the program's
// name, Qt's Turkish translation and the windows' role for assistive
// technology. No display name is set: Qt would append it to every window
// title the window manager shows, and each window's title is its caption.
void configureApplication(QApplication& application);

// The program: makes the instances, shows the main window and runs the
// message loop until it ends.
int runProgram(const QString& applicationDirectory, SystemFacilities& system);

}  // namespace tavlo
