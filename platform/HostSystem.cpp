#include "platform/HostSystem.h"

#include "platform/Error.h"
#include "platform/registry/SystemFolders.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

namespace tavlo {

namespace {

bool isSystemTool(const QString& name)
{
    return name == QLatin1String("regsvr32");
}

}  // namespace

HostSystem::HostSystem(QString applicationDirectory)
    : applicationDirectory_(std::move(applicationDirectory))
{
}

QString HostSystem::systemDirectory()
{
    std::error_code error;
    const std::filesystem::path folder = systemfolders::systemDirectory(&error);
    if (folder.empty())
        throw Error(QStringLiteral("Sistem klasörü \"%1\" oluşturulamıyor: %2")
                        .arg(QString::fromStdString(systemfolders::systemDirectoryLocation().string()),
                             QString::fromStdString(error.message())));
    return QString::fromStdString(folder.string());
}

std::optional<SystemFacilities::Wow64Answer> HostSystem::querySystemWow64Directory(int)
{
    return std::nullopt;
}

bool HostSystem::directoryExists(const QString& path)
{
    return QFileInfo(path).isDir();
}

bool HostSystem::copyFile(const QString& source, const QString& target)
{
    if (!QFileInfo::exists(source))
        return false;
    if (QFileInfo::exists(target) && !QFile::remove(target))
        return false;
    return QFile::copy(source, target);
}

QString HostSystem::resolveProgram(const QString& name)
{
    QStringList folders{applicationDirectory_};
    try {
        folders << systemDirectory();
    } catch (const Error&) {
        // Without a system directory the search goes on with the PATH.
    }
    for (const QString& folder : folders) {
        const QFileInfo candidate(QDir(folder).filePath(name));
        if (candidate.isFile() && candidate.isExecutable())
            return candidate.absoluteFilePath();
    }
    return QStandardPaths::findExecutable(name);
}

QString HostSystem::systemTool(const QString& name)
{
    const QString found = resolveProgram(name);
    QString installed;
    try {
        installed = QDir(systemDirectory()).filePath(name);
    } catch (const Error&) {
        return found;
    }
    if (!found.isEmpty() && found != installed)
        copyFile(found, installed);
    return QFileInfo(installed).isExecutable() ? installed : found;
}

void HostSystem::startCommand(const QString& commandLine)
{
    QStringList arguments = QProcess::splitCommand(commandLine);
    if (arguments.isEmpty())
        return;
    const QString name = arguments.takeFirst();
    const QString program = isSystemTool(name) ? systemTool(name) : resolveProgram(name);
    if (program.isEmpty())
        return;
    QProcess::startDetached(program, arguments, applicationDirectory_);
}

void HostSystem::requestQuit()
{
    QMetaObject::invokeMethod(QCoreApplication::instance(), &QCoreApplication::quit,
                              Qt::QueuedConnection);
}

}  // namespace tavlo
