#include "model/writer_traces.h"

#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace zarvex {

bool WriterIsGone(pid_t pid) {
    return pid > 0 && pid != ::getpid() && ::kill(pid, 0) != 0 && errno == ESRCH;
}

bool IsOwnRegularFile(const std::string& path, long long* modified) {
    struct stat st {};
    if (::lstat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode) || st.st_uid != ::geteuid())
        return false;
    if (modified)
        *modified = static_cast<long long>(st.st_mtim.tv_sec) * 1000000000LL + st.st_mtim.tv_nsec;
    return true;
}

}  // namespace zarvex
