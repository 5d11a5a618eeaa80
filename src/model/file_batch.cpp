#include "model/file_batch.h"

#include <unistd.h>

#include "model/errors.h"
#include "model/file_helpers.h"

namespace zarvex {

SafeFileWriter& FileBatch::Add(const std::string& path) {
    entries_.push_back({std::make_unique<SafeFileWriter>(path, faults_), std::nullopt});
    entries_.back().writer->DeferFolderUpkeep();
    return *entries_.back().writer;
}

// A complete text is flushed and its file closed at once: a batch of thousands of
// images must not hold a descriptor for each until Commit().
void FileBatch::Add(const std::string& path, std::string_view content) {
    SafeFileWriter& writer = Add(path);
    writer.Write(content);
    writer.Finish();
}

void FileBatch::AddCopy(const std::string& from, const std::string& to) {
    SafeFileWriter& writer = Add(to);
    CopyInto(from, writer);
    writer.Finish();
}

std::mutex& FileBatch::CommitLock() {
    static std::mutex lock;
    return lock;
}

void FileBatch::Commit() {
    for (Entry& e : entries_)
        if (!e.writer->finished())
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
    std::vector<std::string> targets;
    targets.reserve(entries_.size());
    for (const Entry& e : entries_)
        targets.push_back(e.writer->targetPath());
    FinishFolderUpkeep(targets);
}

void FileBatch::RollBack(std::size_t touchedCount) {
    std::vector<std::string> restored;  // and removed: their folders are flushed too
    for (std::size_t k = touchedCount; k-- > 0;) {
        const Entry& e = entries_[k];
        try {
            if (e.previous) {
                SafeFileWriter writer(e.writer->targetPath());
                writer.DeferFolderUpkeep();
                writer.Write(*e.previous);
                writer.Commit();
                restored.push_back(e.writer->targetPath());
            } else {
                ::unlink(e.writer->targetPath().c_str());
                restored.push_back(e.writer->targetPath());
            }
        } catch (const FileIoError&) {
            // Nothing better can be done for this one; the others are still put back.
        }
    }
    FinishFolderUpkeep(restored);
}

}  // namespace zarvex
