#include "model/safe_file.h"

#include <atomic>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "model/errors.h"

#if defined(_WIN32)
#include <process.h>
#define ZARVEX_GETPID _getpid
#else
#include <unistd.h>
#define ZARVEX_GETPID getpid
#endif

namespace zarvex {

namespace {
std::atomic<long long> g_faultBudget{-1};
std::atomic<unsigned> g_tempCounter{0};

std::string SystemText(int err) { return std::strerror(err); }
}  // namespace

void SetWriteFaultAfterBytesForTesting(long long bytes) { g_faultBudget = bytes; }

SafeFileWriter::SafeFileWriter(std::string path) : path_(std::move(path)) {
    namespace fs = std::filesystem;
    const fs::path target(path_);
    const std::string name = target.filename().string();
    if (name.empty()) throw FileIoError(path_, "not a file name");
    for (int attempt = 0; attempt < 100 && !file_; ++attempt) {
        tempPath_ = (target.parent_path() / ("." + name + ".~" + std::to_string(ZARVEX_GETPID()) + "-" +
                                             std::to_string(g_tempCounter++)))
                        .string();
        file_ = std::fopen(tempPath_.c_str(), "wbx");
        if (!file_ && errno != EEXIST) break;
    }
    if (!file_) throw FileIoError(path_, SystemText(errno));
}

SafeFileWriter::~SafeFileWriter() {
    if (file_) std::fclose(file_);
    if (!committed_) std::remove(tempPath_.c_str());
}

void SafeFileWriter::Fail(const std::string& what) {
    if (file_) std::fclose(file_);
    file_ = nullptr;
    std::remove(tempPath_.c_str());
    throw FileIoError(path_, what);
}

void SafeFileWriter::Write(std::string_view text) {
    if (!file_) throw FileIoError(path_, "file is closed");
    long long budget = g_faultBudget.load();
    if (budget >= 0) {
        if (static_cast<long long>(text.size()) > budget) {
            std::fwrite(text.data(), 1, static_cast<std::size_t>(budget), file_);
            g_faultBudget = 0;
            Fail(SystemText(ENOSPC));
        }
        g_faultBudget = budget - static_cast<long long>(text.size());
    }
    if (!text.empty() && std::fwrite(text.data(), 1, text.size(), file_) != text.size()) Fail(SystemText(errno));
}

void SafeFileWriter::WriteLine(std::string_view line) {
    Write(line);
    Write("\r\n");
}

void SafeFileWriter::Commit() {
    if (!file_) throw FileIoError(path_, "file is closed");
    if (std::fflush(file_) != 0) Fail(SystemText(errno));
    if (std::fclose(file_) != 0) {
        file_ = nullptr;
        Fail(SystemText(errno));
    }
    file_ = nullptr;
    std::error_code ec;
    std::filesystem::rename(tempPath_, path_, ec);
    if (ec) {
        std::remove(tempPath_.c_str());
        throw FileIoError(path_, ec.message());
    }
    committed_ = true;
}

void WriteFileSafely(const std::string& path, std::string_view content) {
    SafeFileWriter w(path);
    w.Write(content);
    w.Commit();
}

std::string ReadWholeFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw FileIoError(path, SystemText(errno));
    std::ostringstream ss;
    ss << in.rdbuf();
    if (in.bad()) throw FileIoError(path, SystemText(errno));
    return ss.str();
}

}  // namespace zarvex
