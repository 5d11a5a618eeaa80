// The scratch folder of one running window: Build HTML's outputs and the preview
// folder, under the user's cache folder, named "session-XXXXXX". The owner holds a
// lock on it for as long as it runs, so that a folder whose lock is free belongs to
// a session that was killed and can go. A normal exit and the termination signals
// (which the window turns into a normal exit) remove the folder; the next start
// removes what a killed session left.
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
    int lockFd_ = -1;
};

// Removes every session folder in parent whose session has ended (its lock is free,
// or it has none). Returns how many went. Never throws.
int RemoveStaleSessionFolders(const std::string& parent);

}  // namespace zarvex
