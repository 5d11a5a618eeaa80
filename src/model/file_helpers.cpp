#include "model/file_helpers.h"

#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>

#include "model/errors.h"

namespace zarvex {

namespace {
struct FileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};
}  // namespace

int WriteAll(int fd, std::string_view text) {
    while (!text.empty()) {
        const ssize_t n = ::write(fd, text.data(), text.size());
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return n < 0 ? errno : EIO;
        text.remove_prefix(static_cast<std::size_t>(n));
    }
    return 0;
}

std::string ReadWholeFile(const std::string& path) {
    std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.c_str(), "rb"));
    if (!file)
        throw FileIoError(path, std::strerror(errno));
    std::string bytes;
    // The size is a hint only: reading goes on to the end whatever it turns out to be.
    std::error_code ec;
    const auto hint = std::filesystem::file_size(path, ec);
    if (!ec && hint > 0 && hint < (std::uintmax_t{1} << 32)) {
        bytes.resize(static_cast<std::size_t>(hint));
        bytes.resize(std::fread(bytes.data(), 1, bytes.size(), file.get()));
    }
    char chunk[1 << 16];
    std::size_t got = 0;
    while ((got = std::fread(chunk, 1, sizeof chunk, file.get())) > 0)
        bytes.append(chunk, got);
    if (std::ferror(file.get()))
        throw FileIoError(path, std::strerror(errno ? errno : EIO));
    return bytes;
}

std::string BareFileName(std::string_view path) {
    const std::size_t cut = path.find_last_of("/\\");
    return std::string(cut == std::string_view::npos ? path : path.substr(cut + 1));
}

std::string FolderOfPath(std::string_view path) {
    const std::size_t cut = path.find_last_of("/\\");
    return cut == std::string_view::npos ? std::string() : std::string(path.substr(0, cut + 1));
}

}  // namespace zarvex
