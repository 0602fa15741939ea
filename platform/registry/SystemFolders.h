#pragma once

#include <filesystem>
#include <system_error>

namespace tavlo {

// The per-user folders that stand in for the Windows ones, found from the
// environment on each call so that a test (or a child process it starts)
// points them anywhere by setting XDG_DATA_HOME or HOME:
//   ${XDG_DATA_HOME:-$HOME/.local/share}/tavlo-platform/registry.ini
//   ${XDG_DATA_HOME:-$HOME/.local/share}/tavlo-platform/system32/
// No root is needed for any of them.
namespace systemfolders {

std::filesystem::path platformFolder();

// Where the system directory is, whether or not it exists yet.
std::filesystem::path systemDirectoryLocation();

// The system directory, created when missing (Windows always has one).
// Empty when it cannot be created; `error`, when given, then says why.
std::filesystem::path systemDirectory(std::error_code* error = nullptr);

// The 32-bit system directory of 64-bit Windows. Linux has none: empty.
std::filesystem::path wow64SystemDirectory();

// The file of the class registrations.
std::filesystem::path registryFile();

}  // namespace systemfolders
}  // namespace tavlo
