#include "publish/file_ops.h"

#include <atomic>
#include <filesystem>
#include <system_error>

namespace zarvex {

namespace fs = std::filesystem;

namespace {
std::atomic<unsigned> g_copyCounter{0};

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

std::string BareFileName(std::string_view path) {
    const std::size_t cut = path.find_last_of("/\\");
    return std::string(cut == std::string_view::npos ? path : path.substr(cut + 1));
}

bool CopyFileReplacing(const std::string& from, const std::string& to) {
    std::error_code ec;
    if (!fs::is_regular_file(from, ec))
        return false;
    if (fs::exists(to, ec) && fs::equivalent(from, to, ec))
        return true;
    const fs::path target(to);
    const fs::path temp = target.parent_path() / ("." + target.filename().string() + ".~copy" +
                                                  std::to_string(g_copyCounter++));
    if (!fs::copy_file(from, temp, fs::copy_options::overwrite_existing, ec) || ec) {
        fs::remove(temp, ec);
        return false;
    }
    fs::rename(temp, target, ec);
    if (ec) {
        std::error_code ignored;
        fs::remove(temp, ignored);
        return false;
    }
    return true;
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
