// Where the program's data is found and where each per-user file goes: the program
// folder is only read, scratch folders of killed sessions go at the next start, and
// an earlier version's recent-files list is moved once.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>

#include "model/errors.h"
#include "publish/app_folders.h"
#include "publish/run_folders.h"
#include "publish/session_folder.h"
#include "support/files.h"
#include "support/scratch_folder.h"

namespace zarvex::testing {
namespace {

namespace fs = std::filesystem;

// Sets an environment variable for a scope; unset when value is nullopt.
class EnvScope {
  public:
    EnvScope(const char* name, std::optional<std::string> value) : name_(name) {
        if (const char* old = std::getenv(name))
            old_ = old;
        if (value)
            ::setenv(name, value->c_str(), 1);
        else
            ::unsetenv(name);
    }
    ~EnvScope() {
        if (old_)
            ::setenv(name_, old_->c_str(), 1);
        else
            ::unsetenv(name_);
    }

  private:
    const char* name_;
    std::optional<std::string> old_;
};

TEST(UserFolders, EachKindOfFileHasItsXdgFolderAndItsFallback) {
    EnvScope home("HOME", "/home/u");
    struct Row {
        const char* variable;
        std::string (*folder)();
        const char* fallback;
    };
    for (const Row& row :
         {Row{"XDG_CONFIG_HOME", UserConfigFolder, "/home/u/.config/zarvex/"},
          Row{"XDG_STATE_HOME", UserStateFolder, "/home/u/.local/state/zarvex/"},
          Row{"XDG_CACHE_HOME", UserCacheFolder, "/home/u/.cache/zarvex/"},
          Row{"XDG_DATA_HOME", PerUserDataFolder, "/home/u/.local/share/zarvex/"}}) {
        {
            EnvScope set(row.variable, "/x/y");
            EXPECT_EQ(row.folder(), "/x/y/zarvex/") << row.variable;
        }
        {
            EnvScope unset(row.variable, std::nullopt);
            EXPECT_EQ(row.folder(), row.fallback) << row.variable;
        }
        {
            // The base directory rules ignore a relative path.
            EnvScope relative(row.variable, "relative");
            EXPECT_EQ(row.folder(), row.fallback) << row.variable;
        }
    }
}

TEST(UserFolders, DataIsFoundBesideTheProgramOrUnderShareAsInstalled) {
    ScratchFolder tree("layout");
    fs::create_directories(tree.path() / "usr/bin");
    fs::create_directories(tree.path() / "app");
    fs::create_directories(tree.path() / "usr/share/zarvex");
    const std::string bin = tree.File("usr/bin") + "/";
    // The build folder: no share/zarvex beside bin, the data lies with the program.
    EXPECT_EQ(ProgramDataFolderOf(tree.File("app") + "/"), tree.File("app") + "/");
    EXPECT_EQ(ProgramDataFolderOf(bin), bin);
    // Installed or relocated: share/zarvex holding velmo.js.
    WriteBytes(tree.path() / "usr/share/zarvex/velmo.js", "runtime");
    EXPECT_EQ(ProgramDataFolderOf(bin), tree.File("usr/share/zarvex") + "/");
}

TEST(UserFolders, ShippedFoldersContainTheirFilesAndNothingOutside) {
    EXPECT_TRUE(
        IsInsideFolder("/usr/share/zarvex/templates/a/a.zarvex", "/usr/share/zarvex/templates"));
    EXPECT_TRUE(IsInsideFolder("/usr/share/zarvex/templates/../templates/x.zarvex",
                               "/usr/share/zarvex/templates/"));
    EXPECT_FALSE(
        IsInsideFolder("/usr/share/zarvex/templates/../x.zarvex", "/usr/share/zarvex/templates"));
    EXPECT_FALSE(
        IsInsideFolder("/usr/share/zarvex/templates2/x.zarvex", "/usr/share/zarvex/templates"));
    EXPECT_FALSE(IsInsideFolder("/usr/share/zarvex/templates", "/usr/share/zarvex/templates"));
}

// The process id of a child that has ended and been reaped: no process holds it.
pid_t EndedProcessId() {
    const pid_t child = ::fork();
    if (child == 0)
        ::_exit(0);
    int status = 0;
    ::waitpid(child, &status, 0);
    return child;
}

TEST(UserFolders, ASessionFolderGoesWithItsWindowAndAKilledOnesAtTheNextStart) {
    ScratchFolder cache("cache");
    std::string live;
    const fs::path killed = cache.path() / ("window-" + std::to_string(EndedProcessId()) + "-7");
    // Another window of this user still running (this process stands in for it).
    const fs::path running = cache.path() / ("window-" + std::to_string(::getpid()) + "-8");
    {
        SessionFolder session(cache.path().string());
        live = session.Path();
        EXPECT_EQ(fs::path(live).parent_path().filename().string().rfind(
                      "window-" + std::to_string(::getpid()) + "-", 0),
                  0u)
            << live;
        EXPECT_EQ(fs::status(live).permissions() & fs::perms::all, fs::perms::owner_all);
        fs::create_directories(fs::path(live) / "preview");
        WriteBytes(fs::path(live) / "preview/page.html", "x");
        for (const fs::path& folder : {killed, running, cache.path() / "window-x-1"})
            fs::create_directories(folder / "stage-1");
        WriteBytes(cache.path() / "window-1", "a file, not a session");
        // Earlier versions named their folders without a process id: those left for
        // over a day go, fresh ones stay (an earlier version may still be running).
        const auto twoDaysAgo = fs::file_time_type::clock::now() - std::chrono::hours(48);
        for (const char* name : {"session-Ab3xYz", "zarvex-live-Q1w2E3", "zarvex-stage-fresh1",
                                 "session-aFile", "zarvex-live-link"}) {
            const fs::path path = cache.path() / name;
            if (std::string(name).ends_with("aFile"))
                WriteBytes(path, "not a folder");
            else if (std::string(name).ends_with("link"))
                fs::create_directory_symlink(running, path);
            else
                fs::create_directories(path / "preview");
            if (!std::string(name).ends_with("fresh1") && !fs::is_symlink(path))
                fs::last_write_time(path, twoDaysAgo);
        }
        EXPECT_EQ(RemoveStaleSessionFolders(cache.path().string()), 3);
        EXPECT_FALSE(fs::exists(cache.path() / "session-Ab3xYz"));
        EXPECT_FALSE(fs::exists(cache.path() / "zarvex-live-Q1w2E3"));
        for (const char* name : {"zarvex-stage-fresh1", "session-aFile", "zarvex-live-link"})
            EXPECT_TRUE(fs::exists(cache.path() / name)) << name;
        // The command-line tool's old names: digits, no process id.
        fs::create_directories(cache.path() / "zarvex-cli-123456789");
        fs::last_write_time(cache.path() / "zarvex-cli-123456789", twoDaysAgo);
        EXPECT_EQ(RemoveOldStyleFolders(cache.path().string(), {"zarvex-cli-"}), 1);
        EXPECT_FALSE(fs::exists(killed));
        EXPECT_TRUE(fs::exists(fs::path(live) / "preview/page.html")) << "a running one stays";
        EXPECT_TRUE(fs::exists(running / "stage-1"));
        EXPECT_TRUE(fs::exists(cache.path() / "window-x-1"));
        EXPECT_TRUE(fs::exists(cache.path() / "window-1"));
    }
    EXPECT_FALSE(fs::exists(live));
}

TEST(UserFolders, TheOldRecentFilesListIsMovedOnceAndAFailedMoveKeepsIt) {
    ScratchFolder root("move");
    EnvScope data("XDG_DATA_HOME", root.File("data"));
    const fs::path old = root.path() / "data/zarvex/recentfile.dat";
    const fs::path program = root.path() / "program";
    fs::create_directories(program);
    fs::create_directories(old.parent_path());
    WriteBytes(old, "&1 /a.zarvex\r\n");
    WriteBytes(program / "recentfile.dat", "&1 /b.zarvex\r\n");
    const fs::path state = root.path() / "state";

    // A state folder that takes no file: the old list stays where it was.
    WriteBytes(state, "a file where the folder should be");
    MoveOldRecentFilesList(program.string(), state.string());
    EXPECT_EQ(ReadBytes(old), "&1 /a.zarvex\r\n");

    fs::remove(state);
    MoveOldRecentFilesList(program.string(), state.string());
    EXPECT_EQ(ReadBytes(state / "recentfile.dat"), "&1 /a.zarvex\r\n");
    EXPECT_FALSE(fs::exists(old));
    // The list in the program folder is this user's too, but one list is there now.
    EXPECT_TRUE(fs::exists(program / "recentfile.dat"));
    MoveOldRecentFilesList(program.string(), state.string());
    EXPECT_EQ(ReadBytes(state / "recentfile.dat"), "&1 /a.zarvex\r\n") << "moved once";
}

}  // namespace
}  // namespace zarvex::testing
