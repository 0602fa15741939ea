#include "terminal/ControlLibrary.h"

#include "platform/Error.h"

#include <QFileInfo>

#include <dlfcn.h>

namespace tavlo {

ControlLibrary::ControlLibrary(const QString& path) : path_(path)
{
    if (!QFileInfo(path).isFile())
        throw Error(QStringLiteral("The terminal control file \"%1\" does not exist.").arg(path));
    handle_ = ::dlopen(QFile::encodeName(path).constData(), RTLD_NOW | RTLD_LOCAL);
    if (!handle_)
        throw Error(QStringLiteral("Cannot load the terminal control \"%1\": %2")
                        .arg(path, QString::fromLocal8Bit(::dlerror())));
    const auto version = reinterpret_cast<decltype(&SbxpcInterfaceVersion)>(
        ::dlsym(handle_, "SbxpcInterfaceVersion"));
    create_ = reinterpret_cast<decltype(create_)>(::dlsym(handle_, "SbxpcCreateInstance"));
    destroy_ = reinterpret_cast<decltype(destroy_)>(::dlsym(handle_, "SbxpcDestroyInstance"));
    invoke_ = reinterpret_cast<decltype(invoke_)>(::dlsym(handle_, "SbxpcInvoke"));
    if (!version || !create_ || !destroy_ || !invoke_ || version() != SBXPC_INTERFACE_VERSION) {
        ::dlclose(handle_);
        throw Error(QStringLiteral("\"%1\" is not a terminal control of interface version %2.")
                        .arg(path)
                        .arg(SBXPC_INTERFACE_VERSION));
    }
}

ControlLibrary::~ControlLibrary()
{
    ::dlclose(handle_);
}

}  // namespace tavlo
