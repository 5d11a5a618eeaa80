// Scratch folders of one running process: named prefix + process id + "-" + a
// unique suffix, so that whoever starts next can tell a folder whose process is
// gone (killed before it could clean up) from one still in use. zarvex-cli and the
// window both name and clear theirs this way.
#pragma once

#include <functional>
#include <string>

namespace zarvex {

// Removes the folders of parent named prefix + process id + "-" + anything that
// belong to this user and whose process is gone. Links and other users' folders are
// left alone. Returns how many went; never throws.
int RemoveFoldersOfKilledRuns(const std::string& parent, const std::string& prefix);

// Makes a new, empty folder prefix + this process id + "-" + a random suffix in
// parent (which must exist) and returns its path, without a trailing '/'.
// beforeMake is called with each candidate before it is made and failed with one
// that could not be made, so that a caller removing folders on a signal can know of
// the folder before it exists. FileIoError (naming parent) when none can be made.
std::string MakeRunFolder(const std::string& parent, const std::string& prefix,
                          const std::function<void(const std::string&)>& beforeMake = {},
                          const std::function<void(const std::string&)>& failed = {});

}  // namespace zarvex
