// Signs that a file or folder was left by a writer of ours that was killed: its
// process is gone, and the entry is a plain file of this user's, never a link
// someone else put there. Every sweep of leftovers asks the same two questions.
#pragma once

#include <sys/types.h>

#include <string>

namespace zarvex {

// True when no process pid exists any more (never for this process itself).
bool WriterIsGone(pid_t pid);

// True when path is a regular file (not followed if a link) owned by this user;
// its modification time in nanoseconds goes to modified when given.
bool IsOwnRegularFile(const std::string& path, long long* modified = nullptr);

}  // namespace zarvex
