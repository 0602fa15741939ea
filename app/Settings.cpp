#include "app/Settings.h"

#include "platform/FileName.h"

namespace tavlo {

Settings::Settings(const QString& applicationDirectory)
    : profile_(resolveFileName(applicationDirectory, QLatin1String(kFileName)))
{
}

void Settings::writeText(const QString& section, const QString& key, const QString& value) const
{
    if (section.trimmed().isEmpty() || key.trimmed().isEmpty())
        return;
    profile_.writeString(section, key, value);
}

void Settings::writeInteger(const QString& section, const QString& key, qint32 value) const
{
    writeText(section, key, QString::number(value));
}

}  // namespace tavlo
