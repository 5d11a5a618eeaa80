// Where the program's data lies and where its scratch files go. This is the one
// place that decides it: data (velmo.js, default images, templates, help,
// samples) is always read from the program folder; the build outputs, the
// preview folder and the recent-files list go there too when it is writable,
// and otherwise to a per-user folder ($XDG_DATA_HOME/zarvex, else
// ~/.local/share/zarvex). Readers of a shipped file resolve it through
// ProgramFilePath (publish/program_files.h), which tries the scratch folder
// first and the data folder next.
#pragma once

#include <string>

#include "model/applet_agent.h"

namespace zarvex {

// The folder of the running executable, with a trailing '/'.
std::string ExecutableFolder();

// The per-user folder for scratch files, with a trailing '/' (not created here).
std::string PerUserDataFolder();

// dataFolder with a trailing '/'. The scratch folder is created when missing.
AppFolders ResolveAppFolders(const std::string& dataFolder);

// True when a file can be created in folder.
bool IsFolderWritable(const std::string& folder);

// folder with a trailing '/' added when it lacks one (an empty folder becomes "/").
std::string WithTrailingSlash(std::string folder);

}  // namespace zarvex
