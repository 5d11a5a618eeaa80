#include "model/recovery_copy.h"

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <filesystem>
#include <system_error>

#include "model/applet_design.h"
#include "model/errors.h"
#include "model/file_helpers.h"
#include "model/file_lock.h"
#include "model/preorder_tree.h"
#include "model/progress.h"
#include "model/project_file.h"
#include "model/safe_file.h"

namespace zarvex {

namespace fs = std::filesystem;

namespace {

const char* const kDesign = ".zarvex";
const char* const kOrigin = ".origin";
const char* const kLock = ".lock";

std::string RecoveryFolder(const std::string& stateFolder) {
    return (fs::path(stateFolder) / "recovery").string() + "/";
}

void RemoveQuietly(const std::string& path) {
    std::error_code ec;
    fs::remove(path, ec);
}

}  // namespace

RecoveryWriter::RecoveryWriter(const std::string& stateFolder, const std::string& name)
    : base_(RecoveryFolder(stateFolder) + name) {
    std::error_code ec;
    fs::create_directories(RecoveryFolder(stateFolder), ec);
    // Recovery copies hold the author's unpublished work: theirs alone to read.
    fs::permissions(RecoveryFolder(stateFolder), fs::perms::owner_all, ec);
    lockFd_ = HoldLock(base_ + kLock);
    if (lockFd_ < 0)
        throw FileIoError(base_ + kLock, std::strerror(errno));
    // The locks of killed sessions that had nothing to keep.
    for (fs::directory_iterator it(RecoveryFolder(stateFolder), ec), end; !ec && it != end;
         it.increment(ec)) {
        fs::path design = it->path();
        if (design.extension() != kLock)
            continue;
        design.replace_extension(kDesign);
        if (!fs::exists(design, ec) && !IsLockHeld(it->path().string()))
            RemoveQuietly(it->path().string());
    }
}

RecoveryWriter::~RecoveryWriter() {
    // A copy still here when the session goes (a signal, a lost session) is what the
    // next start offers; its lock is freed with the descriptor.
    if (!hasCopy_)
        RemoveQuietly(base_ + kLock);
    ::close(lockFd_);
}

void RecoveryWriter::Write(const std::string& projectText, const std::string& origin,
                           const FileStamp& stamp, WriteFaults* faults) {
    WriteFileSafely(base_ + kDesign, projectText, faults);
    WriteFileSafely(base_ + kOrigin, origin + "\n" + stamp.ToText() + "\n", faults);
    hasCopy_ = true;
}

std::optional<FieldFault> RecoveryWriter::WriteDesign(const AppletDesign& agent,
                                                      const std::string& origin,
                                                      const FileStamp& stamp, WriteFaults* faults) {
    if (auto fault = FindDesignFault(agent.MenuParameters, agent.Items))
        return fault;
    NullProgress quiet;
    Write(FormatProjectText(agent.MenuParameters, agent.Items, quiet, agent.WebPage), origin, stamp,
          faults);
    return std::nullopt;
}

void RecoveryWriter::Remove() {
    RemoveQuietly(base_ + kOrigin);
    RemoveQuietly(base_ + kDesign);
    hasCopy_ = false;
}

std::vector<RecoveryCopy> FindOrphanedCopies(const std::string& stateFolder) {
    std::vector<RecoveryCopy> copies;
    std::error_code ec;
    for (fs::directory_iterator it(RecoveryFolder(stateFolder), ec), end; !ec && it != end;
         it.increment(ec)) {
        const fs::path design = it->path();
        if (design.extension() != kDesign || !it->is_regular_file(ec))
            continue;
        fs::path base = design;
        base.replace_extension();
        if (IsLockHeld(base.string() + kLock))
            continue;  // its session is still running
        RecoveryCopy copy;
        copy.designPath = design.string();
        try {
            const std::string notes = ReadWholeFile(base.string() + kOrigin);
            const std::size_t end = notes.find('\n');
            copy.origin = notes.substr(0, end);
            if (end != std::string::npos)
                copy.originStamp =
                    FileStamp::FromText(notes.substr(end + 1, notes.find('\n', end + 1) - end - 1));
        } catch (const std::exception&) {
            // Without its notes the copy is still the author's work: it restores as new.
        }
        try {
            AppletDesign probe;
            PreorderTree tree;
            probe.LoadProjectFile(copy.designPath, tree);
        } catch (const std::exception& e) {
            copy.fault = e.what();
        }
        copy.writtenNs = std::chrono::duration_cast<std::chrono::nanoseconds>(
                             fs::last_write_time(design, ec).time_since_epoch())
                             .count();
        copies.push_back(std::move(copy));
    }
    std::sort(copies.begin(), copies.end(), [](const RecoveryCopy& a, const RecoveryCopy& b) {
        return a.writtenNs > b.writtenNs;
    });
    return copies;
}

void RemoveRecoveryCopy(const RecoveryCopy& copy) {
    fs::path base = copy.designPath;
    base.replace_extension();
    RemoveQuietly(base.string() + kOrigin);
    RemoveQuietly(copy.designPath);
    RemoveQuietly(base.string() + kLock);
}

}  // namespace zarvex
