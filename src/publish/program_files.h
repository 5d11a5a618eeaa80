// Files the program itself provides: the build's scratch outputs in the program
// folder, and the shipped data (velmo.js, default images, shadow.png) in the data
// folder. The two folders are one on a writable install and differ otherwise, so
// every reader of "the program folder" resolves names here.
#pragma once

#include <string>

#include "model/applet_design.h"

namespace zarvex {

// programFolder + name when that file exists, else dataFolder + name when that
// exists, else programFolder + name (a path that does not exist).
std::string ProgramFilePath(const AppFolders& folders, const std::string& name);

}  // namespace zarvex
