// Whole-file reading and the splitting of paths, for every part of the program.
#pragma once

#include <string>
#include <string_view>

namespace zarvex {

// Reads a whole file as bytes in one go; FileIoError with the system's text when
// it cannot be opened or read (a folder included).
std::string ReadWholeFile(const std::string& path);

// Writes all of text to the open descriptor fd, retrying after signals; 0, or the
// system's error number (EIO when a write makes no progress).
int WriteAll(int fd, std::string_view text);

// The name after the last '/' or '\' of path (project files may carry either).
std::string BareFileName(std::string_view path);

// The part of path up to and including its last '/' or '\'; empty when it has none.
std::string FolderOfPath(std::string_view path);

}  // namespace zarvex
