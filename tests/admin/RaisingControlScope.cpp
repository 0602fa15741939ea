#include "tests/admin/RaisingControl.h"

#include "platform/registry/ClassRegistry.h"
#include "platform/registry/SystemFolders.h"
#include "terminal/TSBXPC.h"
#include "tests/support/UserFolders.h"

#include <QByteArray>

#include <stdexcept>

namespace tavlo::test {
namespace {

void registerServer(const std::string& file)
{
    std::string error;
    if (!ClassRegistry(systemfolders::registryFile()).registerClass(TSBXPC::kClassId, file, &error))
        throw std::runtime_error("cannot register " + file + ": " + error);
}

}  // namespace

RaisingControl::RaisingControl(qint32 dispid, int after)
{
    qputenv("TAVLO_RAISE_DISPID", QByteArray::number(dispid));
    qputenv("TAVLO_RAISE_AFTER", QByteArray::number(after));
    registerServer(TAVLO_RAISING_CONTROL);
}

RaisingControl::~RaisingControl()
{
    qunsetenv("TAVLO_RAISE_DISPID");
    qunsetenv("TAVLO_RAISE_AFTER");
    try {
        registerServer((UserFolders::binaryFolder() + "/sbxpc.ocx").toStdString());
    } catch (...) {
        // The registration goes with the test's user folders anyway.
    }
}

}  // namespace tavlo::test
