// Runs the built zarvex-cli as a separate process and captures what it says.
#pragma once

#include <filesystem>
#include <map>
#include <string>
#include <vector>

namespace zarvex::testing {

struct CliResult {
    int status = -1;
    std::string out;
    std::string err;
};

CliResult RunCli(const std::vector<std::string>& args);

std::string ReadBytes(const std::filesystem::path& path);
void WriteBytes(const std::filesystem::path& path, const std::string& bytes);

// Every entry below folder (files and folders, hidden ones included), by relative
// path, with the bytes of each file ("/" for a folder).
std::map<std::string, std::string> Snapshot(const std::filesystem::path& folder);

// A fresh, empty folder for the running test, unique to this process.
std::filesystem::path FreshTestFolder(const std::string& prefix);

// The names of the files directly in folder.
std::vector<std::string> FileNames(const std::filesystem::path& folder);

}  // namespace zarvex::testing
