// What a file was when the program last read or wrote it, so that a change made on
// disk since (by another window, zarvex-cli, a colleague or a sync client) is seen
// before it would be overwritten. Identity (device and inode), size and time tell
// the quick answer; when any of them differs the contents decide, so that a file
// rewritten with the same bytes is not reported as changed.
#pragma once

#include <cstdint>
#include <string>

namespace zarvex {

struct FileStamp {
    bool exists = false;
    std::uint64_t device = 0;
    std::uint64_t inode = 0;
    std::uint64_t size = 0;
    std::int64_t modifiedNs = 0;
    std::uint64_t contentHash = 0;  // FNV-1a over the whole file's 8-byte words

    // One line of text and back, for the recovery copy's notes; a line that does
    // not parse gives a stamp of no file.
    std::string ToText() const;
    static FileStamp FromText(const std::string& text);
};

// The stamp of path now; exists is false when it cannot be read.
FileStamp StampFile(const std::string& path);

// True when path now holds other contents than the stamp recorded: changed,
// replaced by a different text, or created where there was none. A file that was
// removed since is not a change to protect (writing it loses nothing).
bool ChangedOnDisk(const FileStamp& recorded, const std::string& path);

// True when path is a file its owner marked read-only (no write permission for
// anyone) or one this process may not write: Save then asks for another name
// rather than fail, even for root, who could write through the missing bits.
bool IsReadOnlyFile(const std::string& path);

}  // namespace zarvex
