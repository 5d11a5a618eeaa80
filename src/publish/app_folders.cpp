#include "publish/app_folders.h"

#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <system_error>

#include "model/safe_file.h"

namespace zarvex {

namespace fs = std::filesystem;

std::string WithTrailingSlash(std::string folder) {
    if (folder.empty() || (folder.back() != '/' && folder.back() != '\\'))
        folder += '/';
    return folder;
}

std::string ExecutableFolder() {
    std::error_code ec;
    fs::path exe = fs::read_symlink("/proc/self/exe", ec);
    if (ec)
        exe = fs::current_path(ec) / "zarvex";
    return WithTrailingSlash(exe.parent_path().string());
}

std::string ProgramDataFolderOf(const std::string& executableFolder) {
    const fs::path installed = fs::path(executableFolder) / ".." / "share" / "zarvex";
    std::error_code ec;
    if (fs::is_regular_file(installed / "velmo.js", ec))
        return WithTrailingSlash(fs::weakly_canonical(installed, ec).string());
    return WithTrailingSlash(executableFolder);
}

std::string ProgramDataFolder() {
    return ProgramDataFolderOf(ExecutableFolder());
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

bool IsInsideFolder(const std::string& path, const std::string& folder) {
    std::error_code ec;
    const fs::path file = fs::absolute(path, ec).lexically_normal();
    const fs::path base = fs::absolute(folder, ec).lexically_normal();
    if (ec || base.empty())
        return false;
    const fs::path rel = file.lexically_relative(base);
    return !rel.empty() && *rel.begin() != ".." && rel != ".";
}

AppFolders ResolveAppFolders(const std::string& dataFolder, const std::string& sessionFolder) {
    AppFolders f;
    f.dataFolder = WithTrailingSlash(dataFolder);
    f.programFolder = WithTrailingSlash(sessionFolder);
    return f;
}

bool MoveUserFileOnce(const std::string& oldPath, const std::string& newPath) {
    std::error_code ec;
    if (fs::exists(newPath, ec) || !fs::is_regular_file(oldPath, ec))
        return true;
    try {
        fs::create_directories(fs::path(newPath).parent_path());
        CopyFileSafely(oldPath, newPath);
    } catch (const std::exception&) {
        return false;
    }
    fs::remove(oldPath, ec);
    return true;
}

void MoveOldRecentFilesList(const std::string& dataFolder, const std::string& stateFolder) {
    const char* const name = "recentfile.dat";
    const std::string target = WithTrailingSlash(stateFolder) + name;
    MoveUserFileOnce(PerUserDataFolder() + name, target);
    // A program folder is shared: only a list this user wrote there is theirs.
    const std::string inProgram = WithTrailingSlash(dataFolder) + name;
    struct stat info {};
    if (::lstat(inProgram.c_str(), &info) == 0 && S_ISREG(info.st_mode) &&
        info.st_uid == ::getuid())
        MoveUserFileOnce(inProgram, target);
}

}  // namespace zarvex
