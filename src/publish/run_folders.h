// Scratch folders of one running process: named prefix + process id + "-" + a
// unique suffix, so that whoever starts next can tell a folder whose process is
// gone (killed before it could clean up) from one still in use. zarvex-cli and the
// window both name and clear theirs this way.
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace zarvex {

// Removes the folders of parent named prefix + process id + "-" + anything that
// belong to this user and whose process is gone. Links and other users' folders are
// left alone. Returns how many went; never throws.
int RemoveFoldersOfKilledRuns(const std::string& parent, const std::string& prefix);

// Removes the scratch folders that earlier versions named without a process id:
// prefix + a suffix without '-' (e.g. "zarvex-live-Ab3xYz", "session-Q1w2E3",
// "zarvex-cli-123456789"), of this user, not links, and not modified for more than
// a day (no process of this version makes such names, and an earlier version's
// window that is still running keeps its folder busier than that). Returns how
// many went; never throws.
int RemoveOldStyleFolders(const std::string& parent, const std::vector<std::string>& prefixes);

// Makes a new, empty folder prefix + this process id + "-" + a random suffix in
// parent (which must exist) and returns its path, without a trailing '/'.
// beforeMake is called with each candidate before it is made and failed with one
// that could not be made, so that a caller removing folders on a signal can know of
// the folder before it exists. FileIoError (naming parent) when none can be made.
std::string MakeRunFolder(const std::string& parent, const std::string& prefix,
                          const std::function<void(const std::string&)>& beforeMake = {},
                          const std::function<void(const std::string&)>& failed = {});

}  // namespace zarvex
