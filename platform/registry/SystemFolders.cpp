#include "platform/registry/SystemFolders.h"

#include <cstdlib>
#include <system_error>

namespace tavlo::systemfolders {

namespace {

std::filesystem::path dataHome()
{
    const char* xdg = std::getenv("XDG_DATA_HOME");
    if (xdg && *xdg == '/')
        return xdg;
    const char* home = std::getenv("HOME");
    return std::filesystem::path(home && *home ? home : "/tmp") / ".local" / "share";
}

}  // namespace

std::filesystem::path platformFolder()
{
    return dataHome() / "tavlo-platform";
}

std::filesystem::path systemDirectory()
{
    const std::filesystem::path folder = platformFolder() / "system32";
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    if (error || !std::filesystem::is_directory(folder, error))
        return {};
    return folder;
}

std::filesystem::path wow64SystemDirectory()
{
    return {};
}

std::filesystem::path registryFile()
{
    return platformFolder() / "registry.ini";
}

}  // namespace tavlo::systemfolders
