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

void FileBatch::Commit() {
    for (Entry& e : entries_)
        e.writer->Finish();
    std::size_t replaced = 0;
    try {
        for (; replaced < entries_.size(); ++replaced) {
            Entry& e = entries_[replaced];
            // Held in memory: a file written in place keeps its inode, so no
            // second name of it could keep the previous text.
            if (e.writer->targetExisted())
                e.previous = ReadWholeFile(e.writer->targetPath());
            e.writer->Replace();
        }
    } catch (...) {
        RollBack(replaced);
        throw;
    }
}

void FileBatch::RollBack(std::size_t replacedCount) {
    for (std::size_t k = replacedCount; k-- > 0;) {
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
