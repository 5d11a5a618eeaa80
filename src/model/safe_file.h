// Whole-file writing that never destroys the previous file.
//
// The text goes into a temporary file in the target's folder, which is flushed
// to disk and renamed over the target only once everything was written; the
// folder is flushed after the rename. What the user sees as "the file" is kept:
// - a symbolic link is followed, and its final target is what gets replaced;
// - the new file takes the old one's permission bits, and its owner and group
//   where the user may set them;
// - a file the user may not write is refused, naming it, and left as it was;
// - a file with other hard links is rewritten in place once the complete new
//   text is safely on disk beside it, so every name keeps seeing it;
// - when the folder cannot take a new file but the file itself is writable, the
//   file is written in place (direct write): the text is then only written at
//   Commit().
// An in-place write first reserves the new length on disk, so a full disk stops
// it before anything changed, and keeps complete copies of the old text (and of
// the new one when it lies nowhere else) in the user's state folder
// (model/kept_copy.h) until the new text is written and flushed; no copy kept, no
// write. When it fails part-way the old text is put back, and if even that fails
// the message names where the complete copies lie.
// Temporary names stay within the folder's file-name length limit and carry the
// writer's process id: a successful write removes the temporary files of the same
// target that writers killed before they finished left behind (their process is
// gone). Every failure raises FileIoError naming the file and the system's reason.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace zarvex {

class KeptCopies;

// A test seam that makes writes fail as a full disk or a refused file does. It is
// passed to the writers that should fail; nothing else sees it.
struct WriteFaults {
    explicit WriteFaults(long long bytes = -1, std::string refused = {})
        : bytesLeft(bytes), refusedName(std::move(refused)) {}
    // Bytes that may still be written, over all writers sharing this object; a
    // negative value means no limit. Beyond it writes fail with "No space left".
    long long bytesLeft;
    // A file whose name (the part after the last '/') equals this one cannot be
    // put in place: replacing it fails with "Permission denied".
    std::string refusedName;
    // The file system cannot reserve space ahead (in-place writes then meet a full
    // disk part-way through).
    bool noReservation = false;
    // An in-place rewrite ends the process (SIGKILL) once it wrote this many bytes
    // of the new text into the file; negative: never.
    long long killInPlaceAfter = -1;
    // The folder takes no new file (the temporary file is refused), as a folder
    // without write permission for this user does.
    bool noNewFile = false;
    // Once the bytes are used up the device fails every write ("Input/output
    // error"), putting the old text back included.
    bool brokenDevice = false;
};

class SafeFileWriter {
  public:
    explicit SafeFileWriter(std::string path, WriteFaults* faults = nullptr);
    ~SafeFileWriter();  // removes the temporary file unless the new file is in place
    SafeFileWriter(const SafeFileWriter&) = delete;
    SafeFileWriter& operator=(const SafeFileWriter&) = delete;

    void Write(std::string_view text);
    void WriteLine(std::string_view line);  // line followed by CR LF
    // Finish() then Replace().
    void Commit();

    // Flushes the complete text to disk; the target is not touched yet.
    void Finish();
    // Puts the finished text in place of the target (rename, or the in-place
    // rewrite described above) and flushes the folder.
    void Replace();

    // Replace() then leaves flushing the folder and removing killed writers'
    // temporary files to the caller, who does it once for many files
    // (FinishFolderUpkeep): a scan of the folder per file would make a set of n
    // files in one folder cost n * n.
    void DeferFolderUpkeep() { deferUpkeep_ = true; }
    bool finished() const { return finished_; }

    // The path given, and the file that is actually written (links followed).
    const std::string& path() const { return path_; }
    const std::string& targetPath() const { return target_; }
    bool targetExisted() const { return targetExisted_; }

  private:
    [[noreturn]] void Fail(const std::string& reason);
    void WriteBytes(int fd, std::string_view text);
    int WriteCounted(int fd, std::string_view text);
    int Reserve(int fd, long long length, long long growth);
    void RewriteTargetInPlace();
    [[noreturn]] void FailInPlace(int fd, int err, const std::string& oldText, KeptCopies& kept);

    std::string path_;
    std::string target_;
    std::string tempPath_;
    std::string directText_;  // the text of a direct write, held until Commit()
    WriteFaults* faults_;
    int fd_ = -1;
    bool direct_ = false;
    bool inPlace_ = false;
    bool targetExisted_ = false;
    bool finished_ = false;
    bool replaced_ = false;
    bool deferUpkeep_ = false;
};

// For files put in place by writers with deferred folder upkeep: flushes each of
// their folders once and removes, in one scan per folder, the temporary files of
// these targets that killed writers left.
void FinishFolderUpkeep(const std::vector<std::string>& targets);

// The temporary files that writers of path (links followed) left beside it when
// they were killed (their process is gone), newest first. One may hold a complete
// new text: a writer killed while it rewrote a file in place (a file with other
// hard links) leaves the file cut short and its complete new text in such a copy.
// A killed writer's copy may as well be incomplete: whoever offers one checks it.
std::vector<std::string> TemporariesOfKilledWriters(const std::string& path);

// Every copy of a complete new text of path that killed writers left: beside it
// (TemporariesOfKilledWriters), then kept in the state folder by a writer that
// rewrote it in place because its folder takes no new file; each newest first.
std::vector<std::string> CopiesOfKilledWriters(const std::string& path);

void WriteFileSafely(const std::string& path, std::string_view content,
                     WriteFaults* faults = nullptr);

// Copies from over to through a SafeFileWriter: a failed copy leaves to as it
// was. FileIoError names from when it cannot be read and to when it cannot be
// written. Copying a file onto itself succeeds without touching it.
void CopyFileSafely(const std::string& from, const std::string& to, WriteFaults* faults = nullptr);

// Streams the bytes of from into writer. FileIoError names from when it cannot
// be opened or read.
void CopyInto(const std::string& from, SafeFileWriter& writer);

}  // namespace zarvex
