// A folder of the command-line tool's own, created fresh and removed with
// everything in it when the object goes away.
#pragma once

#include <filesystem>
#include <string>

namespace zarvex::cli {

class ScratchFolder {
  public:
    // Creates a new, empty folder named prefix + process id + "-" + a unique
    // suffix inside parent, after removing such folders that runs killed before
    // they could clean up left behind (their process is gone). FileIoError
    // (naming parent) when it cannot be created.
    ScratchFolder(const std::filesystem::path& parent, const std::string& prefix);
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    const std::filesystem::path& path() const { return path_; }
    // The path with a trailing '/', as the agent takes folders.
    std::string Prefix() const { return path_.string() + "/"; }

  private:
    std::filesystem::path path_;
};

}  // namespace zarvex::cli
