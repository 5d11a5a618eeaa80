#include "model/file_lock.h"

#include <fcntl.h>
#include <sys/types.h>
#include <unistd.h>

namespace zarvex {

bool TryTakeLock(int fd) {
    struct flock lock {};
    lock.l_type = F_WRLCK;
    lock.l_whence = SEEK_SET;
#ifdef F_OFD_SETLK
    return ::fcntl(fd, F_OFD_SETLK, &lock) == 0;
#else
    return ::fcntl(fd, F_SETLK, &lock) == 0;
#endif
}

int HoldLock(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (fd >= 0 && !TryTakeLock(fd)) {
        ::close(fd);
        return -1;
    }
    return fd;
}

bool IsLockHeld(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDWR | O_CLOEXEC | O_NOFOLLOW);
    if (fd < 0)
        return false;
    const bool held = !TryTakeLock(fd);
    ::close(fd);
    return held;
}

}  // namespace zarvex
