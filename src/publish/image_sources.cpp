#include "publish/image_sources.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <system_error>

#include "publish/program_files.h"
#include "publish/publish_names.h"

namespace zarvex {

namespace fs = std::filesystem;

namespace {

// Found, Absent or Unreadable for one candidate path.
ImageSource Probe(const std::string& path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) {
        if (errno == ENOENT)
            return {ImageState::Absent, path, {}};
        return {ImageState::Unreadable, path, std::strerror(errno)};
    }
    if (S_ISDIR(st.st_mode))
        return {ImageState::Unreadable, path, std::strerror(EISDIR)};
    if (::access(path.c_str(), R_OK) != 0)
        return {ImageState::Unreadable, path, std::strerror(errno)};
    return {ImageState::Found, path, {}};
}

// True when path, links followed, still lies under folder, links followed.
bool ResolvesInside(const std::string& folder, const std::string& path) {
    std::error_code ec;
    const fs::path base = fs::canonical(folder, ec);
    if (ec)
        return false;
    const fs::path real = fs::weakly_canonical(path, ec);
    if (ec)
        return false;
    const auto [end, rest] = std::mismatch(base.begin(), base.end(), real.begin(), real.end());
    return end == base.end() && rest != real.end();
}

}  // namespace

ImageSource FindImage(const AppletDesign& agent, const std::string& name, ImageSearch search) {
    if (!StaysInsideFolder(name))
        return {ImageState::Outside, name, {}};
    if (!agent.ProjectFolder().empty()) {
        const std::string path = AsFolderPrefix(agent.ProjectFolder()) + name;
        ImageSource found = Probe(path);
        if (found.state != ImageState::Absent && !ResolvesInside(agent.ProjectFolder(), path))
            return {ImageState::Outside, name, {}};
        if (found.state != ImageState::Absent || search == ImageSearch::ProjectOnly)
            return found;
    }
    if (search == ImageSearch::ProjectOnly)
        return {ImageState::Absent, name, {}};
    // The staging and the program's files are the program's own: no link check.
    ImageSource staged = Probe(agent.PreviewFolder() + name);
    if (staged.state == ImageState::Found)
        return staged;
    ImageSource shipped = Probe(ProgramFilePath(agent.Folders(), name));
    if (shipped.state == ImageState::Found)
        return shipped;
    return {ImageState::Absent, name, {}};
}

}  // namespace zarvex
