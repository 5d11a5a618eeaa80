#include "model/file_batch.h"

#include <unistd.h>

#include "model/errors.h"
#include "model/file_helpers.h"

namespace zarvex {

SafeFileWriter& FileBatch::Add(const std::string& path) {
    entries_.push_back({std::make_unique<SafeFileWriter>(path, faults_), std::nullopt});
    return *entries_.back().writer;
}

void FileBatch::Add(const std::string& path, std::string_view content) {
    Add(path).Write(content);
}

void FileBatch::AddCopy(const std::string& from, const std::string& to) {
    CopyInto(from, Add(to));
}

std::mutex& FileBatch::CommitLock() {
    static std::mutex lock;
    return lock;
}

void FileBatch::Commit() {
    for (Entry& e : entries_)
        e.writer->Finish();
    std::lock_guard committing(CommitLock());
    std::size_t touched = 0;
    try {
        for (Entry& e : entries_) {
            // Held in memory: a file written in place keeps its inode, so no
            // second name of it could keep the previous text.
            if (e.writer->targetExisted())
                e.previous = ReadWholeFile(e.writer->targetPath());
            // From here on the target may change, even when Replace() fails part-way
            // through an in-place write: the rollback covers this entry too.
            ++touched;
            e.writer->Replace();
        }
    } catch (...) {
        RollBack(touched);
        throw;
    }
}

void FileBatch::RollBack(std::size_t touchedCount) {
    for (std::size_t k = touchedCount; k-- > 0;) {
        const Entry& e = entries_[k];
        try {
            if (e.previous)
                WriteFileSafely(e.writer->targetPath(), *e.previous);
            else
                ::unlink(e.writer->targetPath().c_str());
        } catch (const FileIoError&) {
            // Nothing better can be done for this one; the others are still put back.
        }
    }
}

}  // namespace zarvex
