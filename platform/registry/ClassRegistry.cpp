#include "platform/registry/ClassRegistry.h"

#include "platform/registry/SystemFolders.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <fstream>
#include <unistd.h>

namespace tavlo {

namespace {

constexpr std::string_view kSection = "[Classes]";

std::string upper(std::string_view text)
{
    std::string s(text);
    std::transform(s.begin(), s.end(), s.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return s;
}

std::string trimmed(std::string_view text)
{
    const auto first = text.find_first_not_of(" \t\r");
    if (first == std::string_view::npos)
        return {};
    const auto last = text.find_last_not_of(" \t\r");
    return std::string(text.substr(first, last - first + 1));
}

void fail(std::string* error, const std::string& what)
{
    if (error)
        *error = what + ": " + std::strerror(errno);
}

}  // namespace

ClassRegistry::ClassRegistry(std::filesystem::path file) : file_(std::move(file)) {}

ClassRegistry ClassRegistry::forCurrentUser()
{
    return ClassRegistry(systemfolders::registryFile());
}

ClassRegistry::Entries ClassRegistry::read() const
{
    Entries entries;
    std::ifstream in(file_);
    std::string line;
    bool inSection = false;
    while (std::getline(in, line)) {
        const std::string text = trimmed(line);
        if (text.empty() || text[0] == ';')
            continue;
        if (text[0] == '[') {
            inSection = upper(text) == upper(kSection);
            continue;
        }
        const auto eq = text.find('=');
        if (inSection && eq != std::string::npos)
            entries[upper(trimmed(std::string_view(text).substr(0, eq)))] = trimmed(text.substr(eq + 1));
    }
    return entries;
}

bool ClassRegistry::write(const Entries& entries, std::string* error) const
{
    std::string text = "; Class registrations of this user: class id = file that serves it.\n";
    text += kSection;
    text += '\n';
    for (const auto& [id, path] : entries)
        text += id + "=" + path + "\n";

    std::error_code ec;
    if (file_.has_parent_path())
        std::filesystem::create_directories(file_.parent_path(), ec);
    const std::string temporary = file_.string() + ".new";
    const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) {
        fail(error, "cannot create " + temporary);
        return false;
    }
    const bool written = ::write(fd, text.data(), text.size()) == static_cast<ssize_t>(text.size())
                         && ::fsync(fd) == 0;
    if (::close(fd) != 0 || !written) {
        fail(error, "cannot write " + temporary);
        ::unlink(temporary.c_str());
        return false;
    }
    if (::rename(temporary.c_str(), file_.c_str()) != 0) {
        fail(error, "cannot replace " + file_.string());
        ::unlink(temporary.c_str());
        return false;
    }
    return true;
}

std::optional<std::filesystem::path> ClassRegistry::lookup(std::string_view classId) const
{
    const Entries entries = read();
    const auto it = entries.find(upper(classId));
    if (it == entries.end() || it->second.empty())
        return std::nullopt;
    return std::filesystem::path(it->second);
}

bool ClassRegistry::registerClass(std::string_view classId, const std::filesystem::path& server,
                                  std::string* error) const
{
    Entries entries = read();
    entries[upper(classId)] = server.string();
    return write(entries, error);
}

bool ClassRegistry::unregisterClass(std::string_view classId, std::string* error) const
{
    Entries entries = read();
    if (entries.erase(upper(classId)) == 0)
        return true;
    return write(entries, error);
}

}  // namespace tavlo
