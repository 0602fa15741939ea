#pragma once

#include <QString>
#include <QStringList>

namespace tavlo {

class SystemFacilities;

// Installing the terminal driver when its control cannot be created: the
// four driver files are copied from the application folder into the system
// directories, the control's registration is started, and the program is
// asked to end so that its next start finds the control.
class Fonksiyonlar {
public:
    // The driver files in the order they are copied.
    static const QStringList& sdkFiles();
    static constexpr auto kRegistrationCommand = "regsvr32 sbxpc.ocx";
    static constexpr int kWow64DirectoryBuffer = 261;
    // Shown instead of installing when there is no system directory to copy
    // into; %1 says why.
    static constexpr auto kNoSystemDirectoryMessage =
        "%1\nSürücü dosyaları kopyalanmadı ve kaydedilmedi.";
    static constexpr auto kSystemDirectoryUnknown = "Sistem klasörü bulunamadı.";

    Fonksiyonlar(SystemFacilities& system, QString applicationDirectory);

    // Without a system directory nothing is copied or registered: the
    // operator is told why and the program is asked to end all the same.
    void InstallTerminalSdk();
    // Copies one file, replacing the target; a failure is not reported.
    void CopySdkFile(const QString& source, const QString& target);
    // The 32-bit system directory of a 64-bit system, or empty text.
    QString GetWow64SystemDir();

private:
    SystemFacilities& system_;
    QString applicationDirectory_;
};

}  // namespace tavlo
