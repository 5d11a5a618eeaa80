// The scratch folder of one running window, under the user's cache folder, named
// "window-" + process id + "-" + a unique suffix (publish/run_folders.h). Everything
// the window writes for itself lies inside it: Build HTML's outputs, "preview/",
// the publish staging and the live preview's folder. A normal exit and the
// termination signals (which the window turns into a normal exit) remove it; the
// next start removes those whose process is gone.
#pragma once

#include <string>

namespace zarvex {

class SessionFolder {
  public:
    // Creates a new session folder in parent (made when missing); throws FileIoError
    // when it cannot.
    explicit SessionFolder(const std::string& parent);
    ~SessionFolder();  // removes the folder and everything in it
    SessionFolder(const SessionFolder&) = delete;
    SessionFolder& operator=(const SessionFolder&) = delete;

    // The folder, with a trailing '/'.
    const std::string& Path() const { return path_; }

  private:
    std::string path_;
};

// Removes every session folder in parent that belongs to this user and whose window
// has ended without removing it, and the scratch folders earlier versions' windows
// left there (RemoveOldStyleFolders). Returns how many went. Never throws.
int RemoveStaleSessionFolders(const std::string& parent);

}  // namespace zarvex
