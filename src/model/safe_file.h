// Whole-file writing that never destroys the previous file: the text goes into a
// temporary file in the target's folder, which is renamed over the target only
// once everything was written and flushed. Any failure removes the temporary file
// and raises FileIoError with the system's text.
#pragma once

#include <cstdio>
#include <string>
#include <string_view>

namespace zarvex {

class SafeFileWriter {
public:
    explicit SafeFileWriter(std::string path);
    ~SafeFileWriter();  // removes the temporary file unless Commit() succeeded
    SafeFileWriter(const SafeFileWriter&) = delete;
    SafeFileWriter& operator=(const SafeFileWriter&) = delete;

    void Write(std::string_view text);
    void WriteLine(std::string_view line);  // line followed by CR LF
    void Commit();

    const std::string& path() const { return path_; }

private:
    void Fail(const std::string& what);
    std::string path_;
    std::string tempPath_;
    std::FILE* file_ = nullptr;
    bool committed_ = false;
};

void WriteFileSafely(const std::string& path, std::string_view content);

// Reads a whole file as bytes; FileIoError when it cannot be opened or read.
std::string ReadWholeFile(const std::string& path);

// Test seam: after this many more bytes every write fails as on a full disk.
// A negative value (the default) turns the fault off.
void SetWriteFaultAfterBytesForTesting(long long bytes);

}  // namespace zarvex
