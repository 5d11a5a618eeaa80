#include "publish/file_ops.h"

#include <unistd.h>

#include <filesystem>
#include <string>
#include <system_error>

#include "model/errors.h"
#include "model/safe_file.h"

namespace zarvex {

namespace fs = std::filesystem;

namespace {

// The longest file name every usual file system takes.
constexpr std::size_t kShortestNameMax = 255;

fs::path Normalised(const std::string& folder) {
    std::error_code ec;
    fs::path p = fs::absolute(fs::path(folder), ec);
    if (ec)
        p = fs::path(folder);
    p = p.lexically_normal();
    if (!p.has_filename() && p.has_parent_path() && p != p.root_path())
        p = p.parent_path();
    return p;
}
}  // namespace

bool CopyFileReplacing(const std::string& from, const std::string& to) {
    std::error_code ec;
    if (fs::equivalent(from, to, ec) && !ec)
        return true;
    // The staging folder is private to one window or run and goes when it ends, so a
    // copy needs to replace the old one whole but not to be flushed to disk, and no
    // killed writer of another process leaves its files there to look for: thousands
    // of images are staged at the cost of a copy each.
    const std::string prefix = ".~" + std::to_string(::getpid()) + "-";
    if (prefix.size() + BareFileName(to).size() <= kShortestNameMax) {
        const std::string temporary = FolderOfPath(to) + prefix + BareFileName(to);
        if (fs::copy_file(from, temporary, fs::copy_options::overwrite_existing, ec) &&
            ::rename(temporary.c_str(), to.c_str()) == 0)
            return true;
        fs::remove(temporary, ec);
        return false;
    }
    // A name too long for the prefix: the safe writer shortens its temporary names.
    try {
        CopyFileSafely(from, to);
        return true;
    } catch (const FileIoError&) {
        return false;
    }
}

bool DeleteFileQuietly(const std::string& path) {
    std::error_code ec;
    const fs::file_status st = fs::symlink_status(path, ec);
    if (ec || !fs::exists(st) || fs::is_directory(st))
        return false;
    return fs::remove(path, ec) && !ec;
}

bool IsExistingFile(const std::string& path) {
    std::error_code ec;
    return fs::is_regular_file(path, ec);
}

bool IsSameFolder(const std::string& a, const std::string& b) {
    if (Normalised(a) == Normalised(b))
        return true;
    std::error_code ec;
    return fs::is_directory(a, ec) && fs::is_directory(b, ec) && fs::equivalent(a, b, ec) && !ec;
}

}  // namespace zarvex
