// regsvr32: registers or unregisters the class of a driver file, as the
// Windows tool of that name does. The file is loaded and its entry
// DllRegisterServer (or DllUnregisterServer with /u) is called; the entry
// records the class in the per-user class registry.
//
//   regsvr32 [/u] [/s] FILE
//
// A FILE without a '/' is looked for as Windows looks for a library: in the
// folder of this program, then in the system directory. Exit status as on
// Windows: 0 done, 1 bad command line, 3 file not loaded, 4 entry missing,
// 5 entry failed.

#include "platform/registry/SystemFolders.h"

#include <cstdio>
#include <cstring>
#include <dlfcn.h>
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

namespace {

namespace fs = std::filesystem;

using Entry = int (*)();

fs::path programFolder()
{
    std::error_code error;
    const fs::path self = fs::read_symlink("/proc/self/exe", error);
    return error ? fs::path() : self.parent_path();
}

fs::path locate(const std::string& name)
{
    if (name.find('/') != std::string::npos)
        return fs::absolute(name);
    for (const fs::path& folder : {programFolder(), tavlo::systemfolders::systemDirectory()}) {
        std::error_code error;
        if (!folder.empty() && fs::is_regular_file(folder / name, error))
            return folder / name;
    }
    return fs::absolute(name);
}

void report(bool silent, bool failure, const std::string& text)
{
    if (silent && !failure)
        return;
    std::fprintf(failure ? stderr : stdout, "%s\n", text.c_str());
}

}  // namespace

int main(int argc, char** argv)
{
    bool unregister = false;
    bool silent = false;
    std::vector<std::string> files;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "/u" || arg == "/U" || arg == "-u")
            unregister = true;
        else if (arg == "/s" || arg == "/S" || arg == "-s")
            silent = true;
        else
            files.push_back(arg);
    }
    if (files.size() != 1) {
        std::fprintf(stderr, "Usage: regsvr32 [/u] [/s] FILE\n"
                             "  /u  unregister the file's class instead\n"
                             "  /s  say nothing on success\n");
        return 1;
    }

    const std::string& name = files.front();
    const fs::path path = locate(name);
    void* library = ::dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!library) {
        report(silent, true, "The module \"" + name + "\" failed to load: " + ::dlerror());
        return 3;
    }
    const char* entryName = unregister ? "DllUnregisterServer" : "DllRegisterServer";
    const auto entry = reinterpret_cast<Entry>(::dlsym(library, entryName));
    if (!entry) {
        report(silent, true, "The module \"" + name + "\" was loaded but the entry point "
                                 + entryName + " was not found.");
        ::dlclose(library);
        return 4;
    }
    const int result = entry();
    ::dlclose(library);
    if (result != 0) {
        report(silent, true, std::string("The call to ") + entryName + " in \"" + name
                                 + "\" failed with error code " + std::to_string(result) + ".");
        return 5;
    }
    report(silent, false, std::string(entryName) + " in " + name + " succeeded.");
    return 0;
}
