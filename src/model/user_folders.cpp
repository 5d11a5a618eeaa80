#include "model/user_folders.h"

#include <cstdlib>
#include <filesystem>

namespace zarvex {

namespace fs = std::filesystem;

namespace {

// $variable/zarvex/ when the variable holds an absolute path (the base directory
// rules ignore a relative one), else ~/fallback/zarvex/.
std::string XdgFolder(const char* variable, const char* fallback) {
    const char* value = std::getenv(variable);
    if (value && *value == '/')
        return (fs::path(value) / "zarvex").string() + "/";
    const char* home = std::getenv("HOME");
    const fs::path base = (home && *home) ? fs::path(home) : fs::temp_directory_path();
    return (base / fallback / "zarvex").string() + "/";
}

}  // namespace

std::string UserConfigFolder() {
    return XdgFolder("XDG_CONFIG_HOME", ".config");
}
std::string UserStateFolder() {
    return XdgFolder("XDG_STATE_HOME", ".local/state");
}
std::string UserCacheFolder() {
    return XdgFolder("XDG_CACHE_HOME", ".cache");
}
std::string PerUserDataFolder() {
    return XdgFolder("XDG_DATA_HOME", ".local/share");
}

}  // namespace zarvex
