#include "tests/support/UserFolders.h"

#include "platform/registry/ClassRegistry.h"
#include "platform/registry/SystemFolders.h"

#include <QDir>

#include <stdexcept>

namespace tavlo::test {

UserFolders::UserFolders()
    : previous_(qgetenv("XDG_DATA_HOME")), hadPrevious_(qEnvironmentVariableIsSet("XDG_DATA_HOME"))
{
    qputenv("XDG_DATA_HOME", home_.path().toLocal8Bit());
}

UserFolders::~UserFolders()
{
    if (hadPrevious_)
        qputenv("XDG_DATA_HOME", previous_);
    else
        qunsetenv("XDG_DATA_HOME");
}

QString UserFolders::binaryFolder()
{
    const QString folder = qEnvironmentVariable("TAVLO_BIN_DIR");
    if (folder.isEmpty())
        throw std::runtime_error("TAVLO_BIN_DIR is not set; run the tests through CTest");
    return folder;
}

void UserFolders::registerControl() const
{
    const std::string control = QDir(binaryFolder()).filePath("sbxpc.ocx").toStdString();
    std::string error;
    if (!ClassRegistry(systemfolders::registryFile())
             .registerClass("{2894E36D-6941-48E0-ABF9-0D38241884FB}", control, &error))
        throw std::runtime_error("cannot register the control: " + error);
}

}  // namespace tavlo::test
