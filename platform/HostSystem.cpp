#include "platform/HostSystem.h"

#include "platform/registry/SystemFolders.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

namespace tavlo {

HostSystem::HostSystem(QString applicationDirectory)
    : applicationDirectory_(std::move(applicationDirectory))
{
}

QString HostSystem::systemDirectory()
{
    return QString::fromStdString(systemfolders::systemDirectory().string());
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
    for (const QString& folder : {applicationDirectory_, systemDirectory()}) {
        const QFileInfo candidate(QDir(folder).filePath(name));
        if (candidate.isFile() && candidate.isExecutable())
            return candidate.absoluteFilePath();
    }
    return QStandardPaths::findExecutable(name);
}

void HostSystem::startCommand(const QString& commandLine)
{
    QStringList arguments = QProcess::splitCommand(commandLine);
    if (arguments.isEmpty())
        return;
    const QString program = resolveProgram(arguments.takeFirst());
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
