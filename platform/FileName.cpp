#include "platform/FileName.h"

#include <QDir>

namespace tavlo {

QString resolveFileName(const QString& applicationDirectory, const QString& name)
{
    if (name.isEmpty() || QDir::isAbsolutePath(name))
        return name;
    return QDir::cleanPath(QDir(applicationDirectory).absoluteFilePath(name));
}

}  // namespace tavlo
