#include "app/Fonksiyonlar.h"

#include "platform/Dialogs.h"
#include "platform/Error.h"
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
    // Windows always has its system directory; the per-user one here may
    // fail to be made. Copying then would put the files at the root of the
    // disk, so the operator is told why and nothing is installed.
    QString systemDirectory;
    try {
        systemDirectory = system_.systemDirectory();
        if (systemDirectory.trimmed().isEmpty())
            throw Error(QString::fromUtf8(kSystemDirectoryUnknown));
    } catch (const Error& e) {
        dialogs().showMessage(QString::fromUtf8(kNoSystemDirectoryMessage).arg(e.message()));
        system_.requestQuit();
        return;
    }
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
