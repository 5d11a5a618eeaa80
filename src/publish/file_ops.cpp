#include "publish/file_ops.h"

#include <filesystem>
#include <system_error>

#include "model/errors.h"
#include "model/safe_file.h"

namespace zarvex {

namespace fs = std::filesystem;

namespace {
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
