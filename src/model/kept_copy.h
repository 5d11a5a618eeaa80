// Complete copies of a file that is rewritten in place, kept in the user's state
// folder ("<state>/kept/") from before the first byte of the file changes until its
// new text is complete and flushed. A writer killed part-way, or one whose failure
// could not put the old text back, thus leaves the file's earlier text and the text
// it was writing complete, away from a folder that may take no new file.
//
// A copy is named after the file it belongs to: its bare name (for the reader's
// eye), a hash of its absolute path, its device and inode, then the writer's
// process id, a counter and ".old" or ".new". A copy is offered for a file only when
// path and identity both match, so it is never mistaken for another file's, and
// only when its writer is gone.
#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace zarvex {

// The folder kept copies go to, with a trailing '/': the one set, else
// UserStateFolder() + "kept/". The window sets its own state folder's.
std::string KeptCopyFolder();
void SetKeptCopyFolder(const std::string& folder);

// The copies of one in-place rewrite of target (an existing file). Both are written
// and flushed by the constructor, or neither is left and FileIoError names the copy
// that could not be written. They go with the object unless Keep() was called.
class KeptCopies {
  public:
    // newText empty: the new text is kept elsewhere (beside the file) and only the
    // old one is copied.
    KeptCopies(const std::string& target, std::string_view oldText, std::string_view newText);
    ~KeptCopies();
    KeptCopies(const KeptCopies&) = delete;
    KeptCopies& operator=(const KeptCopies&) = delete;

    // The rewrite failed and the file may be damaged: the copies stay for the user.
    void Keep() { kept_ = true; }
    const std::string& oldCopy() const { return oldCopy_; }
    const std::string& newCopy() const { return newCopy_; }  // empty when not kept here

  private:
    std::string oldCopy_;
    std::string newCopy_;
    bool kept_ = false;
};

// The complete new texts that writers of target (links followed), killed while
// they rewrote it in place, kept in the state folder; newest first.
std::vector<std::string> KeptTextsOfKilledWriters(const std::string& target);

// Removes the copies that killed writers kept for these targets (links followed):
// their files were since written whole. One scan of the folder for all of them.
void RemoveKeptCopiesOfKilledWriters(const std::vector<std::string>& targets);

// The paths of (modification time, path) pairs, the newest first: the order in which
// copies of a stopped save are offered.
std::vector<std::string> PathsNewestFirst(std::vector<std::pair<long long, std::string>> stamped);

}  // namespace zarvex
