// Throw-away folders for tests, under the system's temporary folder.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace zarvex::testing {

// A new, empty folder named after tag, the running test, this process and a
// counter, so that suites run in parallel never share one. Left in place.
std::filesystem::path FreshFolder(const std::string& tag);

// A FreshFolder removed with everything in it when the object goes away.
class ScratchFolder {
  public:
    explicit ScratchFolder(const std::string& tag = "files");
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    const std::filesystem::path& path() const { return path_; }
    // A path inside the folder, as text.
    std::string File(const std::string& name) const { return (path_ / name).string(); }
    // Every entry directly inside (files and folders), sorted.
    std::vector<std::string> Names() const;

  private:
    std::filesystem::path path_;
};

}  // namespace zarvex::testing
