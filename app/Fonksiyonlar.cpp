#include "app/Fonksiyonlar.h"

#include "platform/SystemFacilities.h"

namespace tavlo {

const QStringList& Fonksiyonlar::sdkFiles()
{
    static const QStringList files = {"SBPCCOMM.DLL", "sbxpc.ocx", "SBXPCDLL.dll", "GEN_FONT.dll"};
    return files;
}

Fonksiyonlar::Fonksiyonlar(SystemFacilities& system, QString applicationDirectory)
    : system_(system), applicationDirectory_(std::move(applicationDirectory))
{
}

void Fonksiyonlar::InstallTerminalSdk()
{
    const QString systemDirectory = system_.systemDirectory();
    const QString wow64Directory = GetWow64SystemDir();

    for (const QString& file : sdkFiles())
        CopySdkFile(applicationDirectory_ + file, systemDirectory + u'/' + file);

    if (!wow64Directory.trimmed().isEmpty() && system_.directoryExists(wow64Directory)) {
        for (const QString& file : sdkFiles())
            CopySdkFile(applicationDirectory_ + file, wow64Directory + u'/' + file);
    }

    system_.startCommand(QLatin1String(kRegistrationCommand));
    system_.requestQuit();
}

void Fonksiyonlar::CopySdkFile(const QString& source, const QString& target)
{
    system_.copyFile(source, target);
}

QString Fonksiyonlar::GetWow64SystemDir()
{
    const auto answer = system_.querySystemWow64Directory(kWow64DirectoryBuffer);
    if (!answer || answer->length <= 0 || answer->length >= kWow64DirectoryBuffer)
        return QString();
    return answer->text;
}

}  // namespace tavlo
