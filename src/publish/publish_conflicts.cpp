#include "publish/publish_conflicts.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <system_error>

#include "model/file_helpers.h"
#include "model/text_util.h"
#include "publish/publish_names.h"

namespace zarvex {

namespace fs = std::filesystem;

namespace {

bool IsSameFile(const std::string& a, const std::string& b) {
    std::error_code ec;
    return !b.empty() && fs::equivalent(a, b, ec) && !ec;
}

bool IsOneOf(const std::string& path, const std::vector<std::string>& files) {
    return std::any_of(files.begin(), files.end(),
                       [&](const std::string& file) { return IsSameFile(path, file); });
}

bool IsProjectFileName(const std::string& name) {
    return name.size() > 7 &&
           AsciiLower(std::string_view(name).substr(name.size() - 7)) == ".zarvex";
}

}  // namespace

std::string ProjectMenuName(const std::string& projectPath) {
    std::ifstream in(projectPath, std::ios::binary);
    std::string head(64 * 1024, '\0');
    in.read(head.data(), static_cast<std::streamsize>(head.size()));
    head.resize(static_cast<std::size_t>(in.gcount()));
    const std::string tag = "<Applet_Parameters>";
    std::size_t at = head.find(tag);
    if (at == std::string::npos)
        return {};
    at = head.find('\n', at);
    if (at == std::string::npos)
        return {};
    const std::size_t end = head.find("#$@", at + 1);
    if (end == std::string::npos)
        return {};
    return std::string(Trim(std::string_view(head).substr(at + 1, end - at - 1)));
}

std::vector<std::string> OtherDesignsFiles(const std::string& folder, const std::string& fileName,
                                           const std::string& menuName,
                                           const std::vector<std::string>& ownProjects) {
    const std::string prefix = AsFolderPrefix(folder);
    const std::string project = prefix + ProjectFileName(fileName);
    const std::string base = PublishBaseName(fileName);
    std::vector<std::string> found;
    auto note = [&](const std::string& path) {
        std::error_code ec;
        if (fs::exists(fs::symlink_status(path, ec)) &&
            std::find(found.begin(), found.end(), path) == found.end())
            found.push_back(path);
    };
    std::error_code ec;
    if (fs::exists(project, ec) && !IsOneOf(project, ownProjects))
        note(project);
    std::vector<std::string> others;
    for (fs::directory_iterator it(prefix.empty() ? "." : prefix, ec), end; !ec && it != end;
         it.increment(ec)) {
        const std::string path = prefix + it->path().filename().string();
        if (IsProjectFileName(path) && path != project && !IsSameFile(path, project) &&
            !IsOneOf(path, ownProjects))
            others.push_back(path);
    }
    std::sort(others.begin(), others.end());
    for (const std::string& other : others) {
        if (PublishBaseName(BareFileName(other)) == base) {
            note(prefix + base + ".html");
            note(prefix + base + "_PublishReport.txt");
        }
        if (!menuName.empty() && ProjectMenuName(other) == menuName) {
            note(prefix + menuName + ".css");
            note(prefix + menuName + "cfg.js");
        }
    }
    return found;
}

}  // namespace zarvex
