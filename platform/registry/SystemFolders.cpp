#include "platform/registry/SystemFolders.h"

#include <cstdlib>

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

std::filesystem::path systemDirectoryLocation()
{
    return platformFolder() / "system32";
}

std::filesystem::path systemDirectory(std::error_code* error)
{
    const std::filesystem::path folder = systemDirectoryLocation();
    std::error_code failure;
    std::filesystem::create_directories(folder, failure);
    std::error_code unknown;
    if (!failure && !std::filesystem::is_directory(folder, unknown))
        failure = std::make_error_code(std::errc::not_a_directory);
    if (failure) {
        if (error)
            *error = failure;
        return {};
    }
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
