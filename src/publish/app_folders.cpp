#include "publish/app_folders.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <system_error>

#if defined(_WIN32)
#include <windows.h>
#endif

namespace zarvex {

namespace fs = std::filesystem;

std::string WithTrailingSlash(std::string folder) {
    if (folder.empty() || (folder.back() != '/' && folder.back() != '\\'))
        folder += '/';
    return folder;
}

std::string ExecutableFolder() {
    std::error_code ec;
#if defined(_WIN32)
    wchar_t buf[MAX_PATH];
    const DWORD n = GetModuleFileNameW(nullptr, buf, MAX_PATH);
    fs::path exe = n ? fs::path(std::wstring(buf, n)) : fs::current_path(ec);
#else
    fs::path exe = fs::read_symlink("/proc/self/exe", ec);
    if (ec)
        exe = fs::current_path(ec) / "zarvex";
#endif
    return WithTrailingSlash(exe.parent_path().string());
}

std::string PerUserDataFolder() {
    const char* xdg = std::getenv("XDG_DATA_HOME");
    if (xdg && *xdg)
        return WithTrailingSlash((fs::path(xdg) / "zarvex").string());
    const char* home = std::getenv("HOME");
    const fs::path base = (home && *home) ? fs::path(home) : fs::temp_directory_path();
    return WithTrailingSlash((base / ".local" / "share" / "zarvex").string());
}

bool IsFolderWritable(const std::string& folder) {
    const fs::path probe = fs::path(folder) / ".zarvex-write-probe";
    {
        std::ofstream out(probe, std::ios::binary);
        if (!out)
            return false;
    }
    std::error_code ec;
    fs::remove(probe, ec);
    return true;
}

AppFolders ResolveAppFolders(const std::string& dataFolder) {
    AppFolders f;
    f.dataFolder = WithTrailingSlash(dataFolder);
    if (IsFolderWritable(f.dataFolder)) {
        f.programFolder = f.dataFolder;
    } else {
        f.programFolder = PerUserDataFolder();
        std::error_code ec;
        fs::create_directories(f.programFolder, ec);
    }
    return f;
}

}  // namespace zarvex
