// Reading, writing and comparing files byte for byte in tests.
#pragma once

#include <filesystem>
#include <map>
#include <string>
#include <vector>

namespace zarvex::testing {

// The whole file; empty when it cannot be read.
std::string ReadBytes(const std::filesystem::path& path);
void WriteBytes(const std::filesystem::path& path, const std::string& bytes);

// The names of the regular files directly in folder, sorted.
std::vector<std::string> FileNames(const std::filesystem::path& folder);

// Every regular file directly in folder, by name, with its bytes.
std::map<std::string, std::string> FilesIn(const std::filesystem::path& folder);

// Every entry below folder (files and folders, hidden ones included), by relative
// path, with the bytes of each file ("/" for a folder).
std::map<std::string, std::string> Snapshot(const std::filesystem::path& folder);

}  // namespace zarvex::testing
