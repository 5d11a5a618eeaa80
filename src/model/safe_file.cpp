#include "model/safe_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstring>

#include "model/errors.h"
#include "model/file_helpers.h"

namespace zarvex {

namespace {

std::atomic<unsigned> g_tempCounter{0};

std::string SystemText(int err) {
    return std::strerror(err);
}

// The file a path finally names once every symbolic link on the way is followed.
// A dangling link names the file it points to, which is then created.
std::string FollowLinks(const std::string& path) {
    std::string current = path;
    for (int hop = 0; hop < 40; ++hop) {
        struct stat st {};
        if (::lstat(current.c_str(), &st) != 0 || !S_ISLNK(st.st_mode))
            return current;
        std::string link(PATH_MAX, '\0');
        const ssize_t n = ::readlink(current.c_str(), link.data(), link.size());
        if (n < 0)
            return current;
        link.resize(static_cast<std::size_t>(n));
        current = link.starts_with('/') ? link : FolderOfPath(current) + link;
    }
    throw FileIoError(path, SystemText(ELOOP));
}

// A hidden name beside target, unique to this process, that fits the folder's
// file-name length limit however long the target's own name is.
std::string TemporaryPathBeside(const std::string& target) {
    const std::string folder = FolderOfPath(target);
    const std::string name = BareFileName(target);
    long nameMax = ::pathconf(folder.empty() ? "." : folder.c_str(), _PC_NAME_MAX);
    if (nameMax <= 0)
        nameMax = 255;
    char suffix[48];
    std::snprintf(suffix, sizeof suffix, ".~%lx-%x", static_cast<unsigned long>(::getpid()),
                  g_tempCounter++);
    const std::size_t room = static_cast<std::size_t>(nameMax) - 1 - std::strlen(suffix);
    return folder + "." + name.substr(0, room) + suffix;
}

void SyncFolderOf(const std::string& path) {
    const std::string folder = FolderOfPath(path);
    const int fd =
        ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return;
    // Some file systems cannot flush a folder; the rename itself has happened.
    ::fsync(fd);
    ::close(fd);
}

int OpenForWriting(const std::string& path, int flags, mode_t mode = 0) {
    int fd;
    do
        fd = ::open(path.c_str(), flags | O_WRONLY | O_CLOEXEC, mode);
    while (fd < 0 && errno == EINTR);
    return fd;
}

}  // namespace

SafeFileWriter::SafeFileWriter(std::string path, WriteFaults* faults)
    : path_(std::move(path)), faults_(faults) {
    if (BareFileName(path_).empty())
        throw FileIoError(path_, "not a file name");
    target_ = FollowLinks(path_);

    struct stat st {};
    targetExisted_ = ::stat(target_.c_str(), &st) == 0;
    if (targetExisted_) {
        if (S_ISDIR(st.st_mode))
            throw FileIoError(path_, SystemText(EISDIR));
        if (::access(target_.c_str(), W_OK) != 0)
            throw FileIoError(path_, "the file may not be written (" + SystemText(errno) +
                                         "); it was left as it was");
        // Devices and pipes are written as they are; other names of a file keep seeing it.
        inPlace_ = !S_ISREG(st.st_mode) || st.st_nlink > 1;
    }

    const mode_t mode = targetExisted_ ? (st.st_mode & 07777) : 0666;
    int err = 0;
    for (int attempt = 0; attempt < 100 && fd_ < 0; ++attempt) {
        tempPath_ = TemporaryPathBeside(target_);
        fd_ = OpenForWriting(tempPath_, O_CREAT | O_EXCL, mode);
        err = errno;
        if (fd_ < 0 && err != EEXIST)
            break;
    }
    if (fd_ < 0) {
        tempPath_.clear();
        if (!targetExisted_)
            throw FileIoError(path_, SystemText(err));
        // The folder takes no new file, but the file itself may be written.
        direct_ = true;
        inPlace_ = false;
        return;
    }
    if (targetExisted_) {
        // Owner and group only where the user may give them; the mode after, as a
        // change of owner can clear its set-id bits.
        if (::fchown(fd_, st.st_uid, st.st_gid) != 0)
            (void)!::fchown(fd_, static_cast<uid_t>(-1), st.st_gid);
        ::fchmod(fd_, mode);
    }
}

SafeFileWriter::~SafeFileWriter() {
    if (fd_ >= 0)
        ::close(fd_);
    if (!tempPath_.empty() && !replaced_)
        ::unlink(tempPath_.c_str());
}

void SafeFileWriter::Fail(const std::string& reason) {
    if (fd_ >= 0)
        ::close(fd_);
    fd_ = -1;
    if (!tempPath_.empty())
        ::unlink(tempPath_.c_str());
    tempPath_.clear();
    finished_ = true;
    throw FileIoError(path_, reason);
}

void SafeFileWriter::WriteBytes(int fd, std::string_view text) {
    if (faults_ && faults_->bytesLeft >= 0) {
        if (static_cast<long long>(text.size()) > faults_->bytesLeft) {
            WriteBytes(fd, text.substr(0, static_cast<std::size_t>(faults_->bytesLeft)));
            faults_->bytesLeft = 0;
            Fail(SystemText(ENOSPC));
        }
        faults_->bytesLeft -= static_cast<long long>(text.size());
    }
    while (!text.empty()) {
        const ssize_t n = ::write(fd, text.data(), text.size());
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            Fail(SystemText(n < 0 ? errno : EIO));
        text.remove_prefix(static_cast<std::size_t>(n));
    }
}

void SafeFileWriter::Write(std::string_view text) {
    if (finished_)
        throw FileIoError(path_, "file is closed");
    if (direct_)
        directText_.append(text);
    else
        WriteBytes(fd_, text);
}

void SafeFileWriter::WriteLine(std::string_view line) {
    Write(line);
    Write("\r\n");
}

void SafeFileWriter::Finish() {
    if (finished_)
        throw FileIoError(path_, "file is closed");
    if (!direct_) {
        if (::fsync(fd_) != 0)
            Fail(SystemText(errno));
        const int fd = fd_;
        fd_ = -1;
        if (::close(fd) != 0)
            Fail(SystemText(errno));
    }
    finished_ = true;
}

void SafeFileWriter::RewriteTargetInPlace() {
    const int out = OpenForWriting(target_, 0);
    if (out < 0)
        Fail(SystemText(errno));
    fd_ = out;
    if (direct_) {
        WriteBytes(out, directText_);
    } else {
        const int in = ::open(tempPath_.c_str(), O_RDONLY | O_CLOEXEC);
        if (in < 0)
            Fail(SystemText(errno));
        char chunk[1 << 16];
        ssize_t got;
        while ((got = ::read(in, chunk, sizeof chunk)) != 0) {
            if (got < 0 && errno == EINTR)
                continue;
            if (got < 0) {
                const int err = errno;
                ::close(in);
                Fail(SystemText(err));
            }
            WriteBytes(out, std::string_view(chunk, static_cast<std::size_t>(got)));
        }
        ::close(in);
    }
    struct stat st {};
    const off_t written = direct_ ? static_cast<off_t>(directText_.size())
                                  : (::stat(tempPath_.c_str(), &st) == 0 ? st.st_size : 0);
    // Devices and pipes cannot be cut; a regular file is cut to the new length.
    if (::fstat(out, &st) == 0 && S_ISREG(st.st_mode) && ::ftruncate(out, written) != 0)
        Fail(SystemText(errno));
    if (::fsync(out) != 0 && errno != EINVAL)
        Fail(SystemText(errno));
    fd_ = -1;
    if (::close(out) != 0)
        Fail(SystemText(errno));
}

void SafeFileWriter::Replace() {
    if (!finished_ || replaced_ || (fd_ < 0 && tempPath_.empty() && !direct_))
        throw FileIoError(path_, "file is closed");
    if (faults_ && !faults_->refusedName.empty() && BareFileName(target_) == faults_->refusedName)
        Fail(SystemText(EACCES));
    if (direct_ || inPlace_) {
        RewriteTargetInPlace();
    } else if (::rename(tempPath_.c_str(), target_.c_str()) != 0) {
        Fail(SystemText(errno));
    }
    replaced_ = true;
    if (!tempPath_.empty() && inPlace_)
        ::unlink(tempPath_.c_str());
    tempPath_.clear();
    SyncFolderOf(target_);
}

void SafeFileWriter::Commit() {
    Finish();
    Replace();
}

void WriteFileSafely(const std::string& path, std::string_view content, WriteFaults* faults) {
    SafeFileWriter w(path, faults);
    w.Write(content);
    w.Commit();
}

void CopyInto(const std::string& from, SafeFileWriter& writer) {
    const int in = ::open(from.c_str(), O_RDONLY | O_CLOEXEC);
    if (in < 0)
        throw FileIoError(from, SystemText(errno));
    struct stat st {};
    if (::fstat(in, &st) == 0 && S_ISDIR(st.st_mode)) {
        ::close(in);
        throw FileIoError(from, SystemText(EISDIR));
    }
    char chunk[1 << 16];
    for (;;) {
        const ssize_t got = ::read(in, chunk, sizeof chunk);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0) {
            const int err = errno;
            ::close(in);
            throw FileIoError(from, SystemText(err));
        }
        if (got == 0)
            break;
        try {
            writer.Write(std::string_view(chunk, static_cast<std::size_t>(got)));
        } catch (...) {
            ::close(in);
            throw;
        }
    }
    ::close(in);
}

void CopyFileSafely(const std::string& from, const std::string& to, WriteFaults* faults) {
    struct stat a {
    }, b{};
    if (::stat(from.c_str(), &a) == 0 && ::stat(to.c_str(), &b) == 0 && a.st_dev == b.st_dev &&
        a.st_ino == b.st_ino)
        return;
    SafeFileWriter writer(to, faults);
    CopyInto(from, writer);
    writer.Commit();
}

}  // namespace zarvex
