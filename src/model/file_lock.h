// Locks that say a running process owns a file or folder. They are open file
// description locks: they belong to the open file, not the process, and go with the
// last descriptor, so with the process, however it ends.
#pragma once

#include <string>

namespace zarvex {

// Creates path when missing and takes a lock on it that lasts as long as the
// returned descriptor is open (and so never outlives the process); -1 when the
// lock is taken already or the file cannot be made.
int HoldLock(const std::string& path);
// True when path exists and a running process holds its lock.
bool IsLockHeld(const std::string& path);

// Takes the lock on the open fd when it is free; false when another holds it.
bool TryTakeLock(int fd);

}  // namespace zarvex
