// A set of files replaced all together or not at all.
//
// Each file is written in full beside its target first. Commit() then puts them
// in place one after another, in the order added, keeping the previous text of
// each replaced file until the last one is in place; when any step fails, every
// file touched (the failing one included) gets its previous text back, the files
// added are removed, and the
// FileIoError that names the failing file is raised again. A batch that is
// destroyed without Commit() leaves every target as it was.
#pragma once

#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "model/safe_file.h"

namespace zarvex {

class FileBatch {
  public:
    explicit FileBatch(WriteFaults* faults = nullptr) : faults_(faults) {}

    // A writer for path; its text is written as the batch is filled.
    SafeFileWriter& Add(const std::string& path);
    void Add(const std::string& path, std::string_view content);
    // Adds a copy of from (see CopyInto for how failures are named).
    void AddCopy(const std::string& from, const std::string& to);

    void Commit();

    // Held while any batch puts its files in place or rolls them back: whoever
    // ends the process takes it first, so a batch is never left half replaced.
    static std::mutex& CommitLock();

  private:
    struct Entry {
        std::unique_ptr<SafeFileWriter> writer;
        std::optional<std::string> previous;  // the replaced file's text; none when added
    };
    void RollBack(std::size_t touchedCount);

    WriteFaults* faults_;
    std::vector<Entry> entries_;
};

}  // namespace zarvex
