// Ending zarvex-cli by SIGINT, SIGTERM or SIGHUP removes its scratch folders, once
// any set of files being put in place is complete or rolled back, and then ends
// the process as the signal would have.
#pragma once

#include <filesystem>

namespace zarvex::cli {

// Call once from main, before any other thread exists: the three signals are
// then taken by a thread of their own.
void CleanUpOnSignals();

// The folders removed on such a signal while they are registered.
void RegisterScratchFolder(const std::filesystem::path& folder);
void UnregisterScratchFolder(const std::filesystem::path& folder);

}  // namespace zarvex::cli
