// Where the program's data lies and where the user's files go. This is the one
// place that decides it. The program folder is read-only to the program, whoever
// runs it: data (velmo.js, default images, templates, help, samples) is read from
// it, and nothing is ever written there. Everything the program writes goes to the
// user's XDG base directories, each in a "zarvex" folder of its own:
//   config  ($XDG_CONFIG_HOME, ~/.config)      preferences (platform/settings_store.h)
//   state   ($XDG_STATE_HOME, ~/.local/state)  the recent-files list, recovery copies
//   cache   ($XDG_CACHE_HOME, ~/.cache)        one session folder per running window:
//                                              Build HTML's outputs, "preview/", the
//                                              staging and the live preview's folder
//   data    ($XDG_DATA_HOME, ~/.local/share)   the user's own templates
#pragma once

#include <string>

#include "model/applet_design.h"
#include "model/user_folders.h"  // the per-user folders named above

namespace zarvex {

// The folder of the running executable (links resolved), with a trailing '/'.
std::string ExecutableFolder();

// The shipped data, found relative to the executable so that the build folder, the
// installed package and a relocated tree all work: <exe>/../share/zarvex/ when it
// holds velmo.js (the installed layout), else the executable's own folder (the
// build's program folder). With a trailing '/'.
std::string ProgramDataFolder();
std::string ProgramDataFolderOf(const std::string& executableFolder);

// dataFolder for reading; programFolder (scratch) is sessionFolder. Both with a
// trailing '/'.
AppFolders ResolveAppFolders(const std::string& dataFolder, const std::string& sessionFolder);

// True when a file can be created in folder.
bool IsFolderWritable(const std::string& folder);

// True when path lies inside folder (both made absolute and normal, links kept as
// written); a template opened from there must never be written back.
bool IsInsideFolder(const std::string& path, const std::string& folder);

// folder with a trailing '/' added when it lacks one (an empty folder becomes "/").
std::string WithTrailingSlash(std::string folder);

// Moves a user's file from where an earlier version kept it to where it goes now,
// once: nothing happens when the new file exists or the old one does not. The old
// file is removed only after the new one is complete. False when it could not be
// moved (the old file is then left as it was).
bool MoveUserFileOnce(const std::string& oldPath, const std::string& newPath);

// The recent-files list of earlier versions, kept in the per-user data folder or,
// for the user who owns it, in a writable program folder: moved once into
// stateFolder. Failures leave the old list where it was.
void MoveOldRecentFilesList(const std::string& dataFolder, const std::string& stateFolder);

}  // namespace zarvex
