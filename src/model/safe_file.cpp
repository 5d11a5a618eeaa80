#include "model/safe_file.h"

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <optional>
#include <string_view>
#include <unordered_set>
#include <vector>

#include "model/errors.h"
#include "model/file_helpers.h"
#include "model/kept_copy.h"
#include "model/writer_traces.h"

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

std::size_t NameMaxOf(const std::string& folder) {
    const long nameMax = ::pathconf(folder.empty() ? "." : folder.c_str(), _PC_NAME_MAX);
    return nameMax > 0 ? static_cast<std::size_t>(nameMax) : 255;
}

// A hidden name beside target, unique to this process, that fits the folder's
// file-name length limit however long the target's own name is:
// "." + name (cut when too long) + ".~" + process id + "-" + counter, in hex.
std::string TemporaryPathBeside(const std::string& target) {
    const std::string folder = FolderOfPath(target);
    const std::string name = BareFileName(target);
    const std::size_t nameMax = NameMaxOf(folder);
    char suffix[48];
    std::snprintf(suffix, sizeof suffix, ".~%lx-%x", static_cast<unsigned long>(::getpid()),
                  g_tempCounter++);
    const std::size_t room = nameMax - 1 - std::strlen(suffix);
    return folder + "." + name.substr(0, room) + suffix;
}

// The process id in a temporary name of target's (see TemporaryPathBeside), or 0
// when entry is not one.
pid_t WriterOfTemporary(const std::string& entry, const std::string& name, std::size_t nameMax) {
    const std::size_t mark = entry.rfind(".~");
    if (entry.size() < 4 || entry[0] != '.' || mark == std::string::npos || mark < 2)
        return 0;
    const std::string cut = entry.substr(1, mark - 1);
    if (cut != name && !(entry.size() == nameMax && name.starts_with(cut)))
        return 0;
    const char* digits = entry.c_str() + mark + 2;
    char* end = nullptr;
    const unsigned long pid = std::strtoul(digits, &end, 16);
    if (end == digits || *end != '-' || end[1] == '\0')
        return 0;
    const char* counter = end + 1;
    std::strtoul(counter, &end, 16);
    return *end == '\0' && pid > 0 ? static_cast<pid_t>(pid) : 0;
}

// Removes the temporary files of the files names in folder that writers left when
// they were killed: those whose process no longer exists. A living writer's file is
// never touched. One scan of the folder, however many names.
void RemoveStaleTemporariesIn(const std::string& folder, const std::vector<std::string>& names) {
    const std::size_t nameMax = NameMaxOf(folder);
    const std::unordered_set<std::string> exact(names.begin(), names.end());
    DIR* dir = ::opendir(folder.empty() ? "." : folder.c_str());
    if (!dir)
        return;
    std::vector<std::string> stale;
    while (const dirent* e = ::readdir(dir)) {
        const std::string_view entry = e->d_name;
        const std::size_t mark = entry.rfind(".~");
        if (entry.size() < 4 || entry[0] != '.' || mark == std::string_view::npos || mark < 2)
            continue;
        const std::string cut(entry.substr(1, mark - 1));
        pid_t pid = exact.count(cut) ? WriterOfTemporary(e->d_name, cut, nameMax) : 0;
        // A name cut short to fit the limit: rare, so the names are tried one by one.
        for (std::size_t k = 0; pid == 0 && entry.size() == nameMax && k < names.size(); ++k)
            pid = WriterOfTemporary(e->d_name, names[k], nameMax);
        if (WriterIsGone(pid))
            stale.push_back(folder + e->d_name);
    }
    ::closedir(dir);
    for (const std::string& path : stale)
        ::unlink(path.c_str());
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
    int err = EACCES;
    for (int attempt = 0; attempt < 100 && fd_ < 0 && !(faults_ && faults_->noNewFile); ++attempt) {
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

int SafeFileWriter::WriteCounted(int fd, std::string_view text) {
    if (faults_ && faults_->bytesLeft >= 0) {
        if (static_cast<long long>(text.size()) > faults_->bytesLeft) {
            WriteAll(fd, text.substr(0, static_cast<std::size_t>(faults_->bytesLeft)));
            faults_->bytesLeft = 0;
            return faults_->brokenDevice ? EIO : ENOSPC;
        }
        faults_->bytesLeft -= static_cast<long long>(text.size());
    }
    return WriteAll(fd, text);
}

void SafeFileWriter::WriteBytes(int fd, std::string_view text) {
    if (const int err = WriteCounted(fd, text))
        Fail(SystemText(err));
}

// 0 when length bytes of fd are on disk ahead of the write (or the file system
// cannot reserve, and the write goes ahead unreserved); else the error number.
int SafeFileWriter::Reserve(int fd, long long length, long long growth) {
    if (faults_ && faults_->noReservation)
        return EOPNOTSUPP;
    if (faults_ && faults_->bytesLeft >= 0) {
        if (growth > faults_->bytesLeft)
            return ENOSPC;
        faults_->bytesLeft -= growth;
    }
#if defined(__linux__)
    if (::fallocate(fd, FALLOC_FL_KEEP_SIZE, 0, static_cast<off_t>(length)) != 0)
        return errno;
#else
    (void)fd;
    (void)length;
    return EOPNOTSUPP;
#endif
    return 0;
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
    std::string newText;
    if (direct_) {
        newText.swap(directText_);
    } else {
        try {
            newText = ReadWholeFile(tempPath_);
        } catch (const FileIoError& e) {
            Fail(std::string(e.what()) + "; the file was left as it was");
        }
    }
    const int out = OpenForWriting(target_, 0);
    if (out < 0)
        Fail(SystemText(errno));
    fd_ = out;
    struct stat st {};
    if (::fstat(out, &st) != 0 || !S_ISREG(st.st_mode)) {
        // Devices and pipes take the text as it comes; they cannot be cut or restored.
        WriteBytes(out, newText);
        if (::fsync(out) != 0 && errno != EINVAL)
            Fail(SystemText(errno));
    } else {
        std::string oldText;
        try {
            oldText = ReadWholeFile(target_);
        } catch (const FileIoError& e) {
            Fail(std::string(e.what()) + "; the file was left as it was");
        }
        // Nothing of the file changes before its texts are safe elsewhere; a new text
        // that lies beside it already is not copied again.
        std::optional<KeptCopies> kept;
        try {
            kept.emplace(target_, oldText,
                         direct_ ? std::string_view(newText) : std::string_view());
        } catch (const FileIoError& e) {
            Fail(std::string("no copy of it could be kept while it is written in place (") +
                 e.what() + "); the file was left as it was");
        }
        const long long growth =
            static_cast<long long>(newText.size()) - static_cast<long long>(oldText.size());
        int err = growth > 0 ? Reserve(out, static_cast<long long>(newText.size()), growth) : 0;
        const bool reserved = err == 0;
        if (err == ENOSPC || err == EFBIG || err == EDQUOT)
            Fail(SystemText(err) + "; the file was left as it was");
        if (faults_ && faults_->killInPlaceAfter >= 0) {
            WriteAll(
                out,
                std::string_view(newText).substr(
                    0, static_cast<std::size_t>(std::min<long long>(
                           faults_->killInPlaceAfter, static_cast<long long>(newText.size())))));
            ::fsync(out);
            ::raise(SIGKILL);
        }
        // Written into reserved space, the text cannot meet a full disk any more.
        err = reserved ? WriteAll(out, newText) : WriteCounted(out, newText);
        if (err == 0 && ::ftruncate(out, static_cast<off_t>(newText.size())) != 0)
            err = errno;
        if (err == 0 && ::fsync(out) != 0 && errno != EINVAL)
            err = errno;
        if (err != 0)
            FailInPlace(out, err, oldText, *kept);
    }
    fd_ = -1;
    if (::close(out) != 0)
        Fail(SystemText(errno));
}

void SafeFileWriter::FailInPlace(int fd, int err, const std::string& oldText, KeptCopies& kept) {
    std::string reason = SystemText(err);
    // Rewriting the old text needs no space that the file did not already have.
    const bool restored = !(faults_ && faults_->brokenDevice) && ::lseek(fd, 0, SEEK_SET) == 0 &&
                          WriteAll(fd, oldText) == 0 &&
                          ::ftruncate(fd, static_cast<off_t>(oldText.size())) == 0 &&
                          ::fsync(fd) == 0;
    if (restored) {
        reason += "; the file was left as it was";
    } else {
        kept.Keep();
        reason += "; the file may be incomplete, its earlier text was saved as " + kept.oldCopy();
        if (!kept.newCopy().empty()) {
            reason += ", its new text lies in " + kept.newCopy();
        } else if (!tempPath_.empty()) {
            reason += ", its new text lies in " + tempPath_;
            tempPath_.clear();  // the only complete copy of the new text: kept
        }
    }
    Fail(reason);
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
    if (!deferUpkeep_)
        FinishFolderUpkeep({target_});
}

void SafeFileWriter::Commit() {
    Finish();
    Replace();
}

std::vector<std::string> TemporariesOfKilledWriters(const std::string& path) {
    const std::string target = FollowLinks(path);
    const std::string folder = FolderOfPath(target);
    const std::string name = BareFileName(target);
    const std::size_t nameMax = NameMaxOf(folder);
    std::vector<std::pair<long long, std::string>> found;
    DIR* dir = ::opendir(folder.empty() ? "." : folder.c_str());
    if (!dir)
        return {};
    while (const dirent* e = ::readdir(dir)) {
        const std::string copy = folder + e->d_name;
        long long modified = 0;
        if (WriterIsGone(WriterOfTemporary(e->d_name, name, nameMax)) &&
            IsOwnRegularFile(copy, &modified))
            found.emplace_back(modified, copy);
    }
    ::closedir(dir);
    return PathsNewestFirst(std::move(found));
}

void FinishFolderUpkeep(const std::vector<std::string>& targets) {
    std::map<std::string, std::vector<std::string>> byFolder;
    for (const std::string& target : targets)
        byFolder[FolderOfPath(target)].push_back(BareFileName(target));
    for (const auto& [folder, names] : byFolder) {
        SyncFolderOf(folder + names.front());
        RemoveStaleTemporariesIn(folder, names);
    }
    RemoveKeptCopiesOfKilledWriters(targets);
}

std::vector<std::string> CopiesOfKilledWriters(const std::string& path) {
    std::vector<std::string> copies = TemporariesOfKilledWriters(path);
    for (std::string& kept : KeptTextsOfKilledWriters(FollowLinks(path)))
        copies.push_back(std::move(kept));
    return copies;
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
