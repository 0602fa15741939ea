#pragma once

#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <string_view>

namespace tavlo {

// The class registrations that stand in for COM's: a class id names the
// file that serves the class. Kept in a small text file,
//
//   [Classes]
//   {2894E36D-6941-48E0-ABF9-0D38241884FB}=/path/to/sbxpc.ocx
//
// read anew on every lookup and replaced whole (temporary file, flushed,
// renamed) on every change. Class ids are matched without regard to case.
// Free of Qt, so that the driver files register themselves with it.
class ClassRegistry {
public:
    explicit ClassRegistry(std::filesystem::path file);
    static ClassRegistry forCurrentUser();

    const std::filesystem::path& file() const { return file_; }

    std::optional<std::filesystem::path> lookup(std::string_view classId) const;
    // Both return false, with the reason in `error`, when the file cannot be
    // written. Unregistering a class that is not registered succeeds.
    bool registerClass(std::string_view classId, const std::filesystem::path& server,
                       std::string* error = nullptr) const;
    bool unregisterClass(std::string_view classId, std::string* error = nullptr) const;

private:
    using Entries = std::map<std::string, std::string>;  // upper-case id -> path
    Entries read() const;
    bool write(const Entries& entries, std::string* error) const;

    std::filesystem::path file_;
};

}  // namespace tavlo
