#include "store/ProgramContext.h"

#include "platform/FileName.h"

namespace tavlo {

ProgramContext::ProgramContext(TDataModul& data, QString applicationDirectory) : data(data)
{
    values.applicationDirectory = std::move(applicationDirectory);
}

QString ProgramContext::file(const QString& name) const
{
    return resolveFileName(values.applicationDirectory, name);
}

}  // namespace tavlo
