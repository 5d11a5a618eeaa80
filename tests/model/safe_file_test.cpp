#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <functional>

#include "model/errors.h"
#include "model/file_batch.h"
#include "model/file_helpers.h"
#include "model/safe_file.h"
#include "support/scratch_folder.h"

namespace zarvex {
namespace {

namespace fs = std::filesystem;

class SafeFileTest : public ::testing::Test {
  protected:
    void TearDown() override { fs::permissions(dir_, fs::perms::owner_all); }
    std::size_t FileCount() const {
        return static_cast<std::size_t>(
            std::distance(fs::directory_iterator(dir_), fs::directory_iterator()));
    }
    testing::ScratchFolder scratch_{"safe"};
    const fs::path& dir_ = scratch_.path();
};

TEST_F(SafeFileTest, ReplacesTheFileWhole) {
    const std::string p = (dir_ / "a.txt").string();
    WriteFileSafely(p, "first\r\n");
    WriteFileSafely(p, "second");
    EXPECT_EQ(ReadWholeFile(p), "second");
    EXPECT_EQ(FileCount(), 1u);
}

TEST_F(SafeFileTest, AFailurePartWayKeepsTheOldFileAndLeavesNoTemporary) {
    const std::string p = (dir_ / "a.txt").string();
    WriteFileSafely(p, "old content");
    WriteFaults fullDisk{5};
    try {
        SafeFileWriter w(p, &fullDisk);
        w.WriteLine("0123");
        w.WriteLine("456789");
        w.Commit();
        FAIL() << "the write should have failed";
    } catch (const FileIoError& e) {
        EXPECT_NE(std::string(e.what()).find("a.txt"), std::string::npos);
        EXPECT_NE(std::string(e.what()).find("No space"), std::string::npos);
    }
    EXPECT_EQ(ReadWholeFile(p), "old content");
    EXPECT_EQ(FileCount(), 1u);
}

// Written in place (a second name, or a folder that takes no new file), a full disk
// never leaves a file that is neither the old nor the new one.
TEST_F(SafeFileTest, AnInPlaceWriteThatFailsLeavesTheOldText) {
    const std::string p = (dir_ / "linked.zarvex").string();
    WriteFileSafely(p, "old");
    fs::create_hard_link(p, dir_ / "second.zarvex");
    const std::string longer(4096, 'n');
    struct Case {
        const char* what;
        long long bytes;  // what the disk takes: the temporary file, and a little more
        bool reservation;
    };
    for (const Case c :
         {Case{"reserved ahead", 4096 + 10, true}, Case{"no reservation", 4096 + 10, false}}) {
        WriteFaults fullDisk(c.bytes);
        fullDisk.noReservation = !c.reservation;
        try {
            WriteFileSafely(p, longer, &fullDisk);
            ADD_FAILURE() << c.what << ": the write should have failed";
        } catch (const FileIoError& e) {
            EXPECT_THAT(e.what(), ::testing::HasSubstr(
                                      p + ": No space left on device; the file was left as it was"))
                << c.what;
        }
        EXPECT_EQ(ReadWholeFile(p), "old") << c.what;
        EXPECT_EQ(ReadWholeFile((dir_ / "second.zarvex").string()), "old") << c.what;
        EXPECT_EQ(FileCount(), 2u) << c.what;
    }
}

// A writer killed before it finished leaves its temporary file; the next write of
// the same target removes it, but never one of a writer that is still running.
TEST_F(SafeFileTest, AWriteRemovesTheTemporaryFilesOfKilledWriters) {
    const pid_t gone = ::fork();
    if (gone == 0)
        ::_exit(0);
    ::waitpid(gone, nullptr, 0);
    auto temporary = [&](pid_t pid, const char* target) {
        char name[128];
        std::snprintf(name, sizeof name, ".%s.~%lx-3", target, static_cast<unsigned long>(pid));
        WriteFileSafely((dir_ / name).string(), "left over");
        return std::string(name);
    };
    const std::string stale = temporary(gone, "menu.zarvex");
    const std::string running = temporary(1, "menu.zarvex");
    const std::string otherTarget = temporary(gone, "menu.html");
    EXPECT_EQ(TemporariesOfKilledWriters((dir_ / "menu.zarvex").string()),
              std::vector<std::string>{(dir_ / stale).string()});
    WriteFileSafely((dir_ / "menu.zarvex").string(), "saved");
    EXPECT_FALSE(fs::exists(dir_ / stale));
    EXPECT_TRUE(fs::exists(dir_ / running));
    EXPECT_TRUE(fs::exists(dir_ / otherTarget));
    // A batch sweeps the folder once for all its files, the same way.
    const std::string staleCss = temporary(gone, "menu.css");
    FileBatch batch;
    batch.Add((dir_ / "menu.html").string(), "page");
    batch.Add((dir_ / "menu.css").string(), "style");
    batch.Commit();
    EXPECT_FALSE(fs::exists(dir_ / otherTarget));
    EXPECT_FALSE(fs::exists(dir_ / staleCss));
    EXPECT_TRUE(fs::exists(dir_ / running));
}

// A writer killed while it rewrites a file in place (one with a second name) cuts
// the file short; its complete new text stays beside it, found as a killed writer's
// copy, until the next complete write puts the text in place and removes it.
TEST_F(SafeFileTest, AWriterKilledDuringAnInPlaceRewriteLeavesTheCompleteTextBeside) {
    const std::string p = (dir_ / "linked.zarvex").string();
    const std::string oldText(3000, 'o');
    std::string newText;
    for (int i = 0; i < 500; ++i)
        newText += "line " + std::to_string(i) + "\r\n";
    WriteFileSafely(p, oldText);
    fs::create_hard_link(p, dir_ / "second.zarvex");
    const pid_t writer = ::fork();
    if (writer == 0) {
        WriteFaults kill;
        kill.killInPlaceAfter = 1000;
        try {
            WriteFileSafely(p, newText, &kill);
        } catch (...) {
        }
        ::_exit(0);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(writer, &status, 0), writer);
    ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL);
    const std::string torn = ReadWholeFile(p);
    EXPECT_EQ(torn, newText.substr(0, 1000) + oldText.substr(1000));
    const std::vector<std::string> copies = TemporariesOfKilledWriters(p);
    ASSERT_EQ(copies.size(), 1u);
    EXPECT_EQ(ReadWholeFile(copies[0]), newText);

    WriteFileSafely(p, ReadWholeFile(copies[0]));
    EXPECT_EQ(ReadWholeFile((dir_ / "second.zarvex").string()), newText);
    EXPECT_TRUE(TemporariesOfKilledWriters(p).empty());
    EXPECT_EQ(FileCount(), 2u);
}

TEST_F(SafeFileTest, AnAbandonedWriterLeavesNothing) {
    const std::string p = (dir_ / "b.txt").string();
    {
        SafeFileWriter w(p);
        w.Write("partial");
    }
    EXPECT_FALSE(fs::exists(p));
    EXPECT_EQ(FileCount(), 0u);
}

TEST_F(SafeFileTest, MissingFolderAndMissingFileAreReported) {
    EXPECT_THROW(WriteFileSafely((dir_ / "no" / "such" / "x.txt").string(), "x"), FileIoError);
    EXPECT_THROW(ReadWholeFile((dir_ / "none.txt").string()), FileIoError);
}

mode_t ModeOf(const std::string& path) {
    struct stat st {};
    ::stat(path.c_str(), &st);
    return st.st_mode & 07777;
}

TEST_F(SafeFileTest, WhatTheUserSeesAsTheFileIsKept) {
    // A link is written through, and stays a link.
    const std::string real = (dir_ / "real.zarvex").string();
    const std::string link = (dir_ / "link.zarvex").string();
    WriteFileSafely(real, "old");
    fs::create_symlink("real.zarvex", link);
    WriteFileSafely(link, "through the link");
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(ReadWholeFile(real), "through the link");

    // Permission bits stay as they were.
    for (mode_t mode : {0600, 0640, 0604}) {
        ::chmod(real.c_str(), mode);
        WriteFileSafely(real, "mode " + std::to_string(mode));
        EXPECT_EQ(ModeOf(real), mode);
    }

    // Every name of a hard-linked file sees the new text.
    const std::string second = (dir_ / "second.zarvex").string();
    fs::create_hard_link(real, second);
    WriteFileSafely(second, "both names");
    EXPECT_EQ(ReadWholeFile(real), "both names");
    EXPECT_EQ(fs::hard_link_count(real), 2u);

    // A name as long as the file system allows still gets a temporary beside it.
    const std::string longName = (dir_ / std::string(255, 'n')).string();
    WriteFileSafely(longName, "first");
    WriteFileSafely(longName, "second");
    EXPECT_EQ(ReadWholeFile(longName), "second");

    // A folder is never replaced by a file.
    fs::create_directory(dir_ / "folder.zarvex");
    EXPECT_THROW(WriteFileSafely((dir_ / "folder.zarvex").string(), "x"), FileIoError);
    EXPECT_TRUE(fs::is_directory(dir_ / "folder.zarvex"));
    EXPECT_EQ(FileCount(), 5u);  // no temporary file is left anywhere
}

// Runs body as a user whom permissions bind: in a child process that gives up
// root's rights when the tests run as root (root may write anything). The text
// body returns comes back to the caller.
std::string AsUnprivilegedUser(const std::function<std::string()>& body) {
    int pipeFds[2];
    if (::pipe(pipeFds) != 0)
        return "no pipe";
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(pipeFds[0]);
        if (::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0))
            ::_exit(2);
        const std::string text = body();
        (void)!::write(pipeFds[1], text.data(), text.size());
        ::_exit(0);
    }
    ::close(pipeFds[1]);
    std::string text;
    char chunk[512];
    for (ssize_t n; (n = ::read(pipeFds[0], chunk, sizeof chunk)) > 0;)
        text.append(chunk, static_cast<std::size_t>(n));
    ::close(pipeFds[0]);
    int status = 0;
    ::waitpid(child, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0 ? text : "child failed";
}

// The file becomes the unprivileged user's own when the tests run as root.
void GiveToUser(const std::string& path) {
    if (::geteuid() == 0)
        (void)!::chown(path.c_str(), 65534, 65534);
}

std::string Attempt(const std::string& path, const std::string& text) {
    try {
        WriteFileSafely(path, text);
        return "written";
    } catch (const FileIoError& e) {
        return e.what();
    }
}

TEST_F(SafeFileTest, PermissionsDecideWhatMayBeWritten) {
    const std::string readOnly = (dir_ / "read-only.zarvex").string();
    const std::string writable = (dir_ / "writable.zarvex").string();
    WriteFileSafely(readOnly, "keep me");
    WriteFileSafely(writable, "old text that is longer than the new");
    GiveToUser(readOnly);
    GiveToUser(writable);
    ::chmod(readOnly.c_str(), 0444);
    ::chmod(writable.c_str(), 0640);
    // The folder takes no new file from the user.
    ::chmod(dir_.c_str(), 0555);

    const std::string refused = AsUnprivilegedUser([&] { return Attempt(readOnly, "new"); });
    EXPECT_NE(refused.find(readOnly), std::string::npos) << refused;
    EXPECT_NE(refused.find("may not be written"), std::string::npos) << refused;
    EXPECT_EQ(ReadWholeFile(readOnly), "keep me");
    EXPECT_EQ(ModeOf(readOnly), 0444u);

    // Written in place, as the folder cannot take the temporary file.
    EXPECT_EQ(AsUnprivilegedUser([&] { return Attempt(writable, "new"); }), "written");
    EXPECT_EQ(ReadWholeFile(writable), "new");
    EXPECT_EQ(ModeOf(writable), 0640u);

    const std::string added = (dir_ / "added.zarvex").string();
    const std::string notCreated = AsUnprivilegedUser([&] { return Attempt(added, "x"); });
    EXPECT_NE(notCreated.find(added + ": Permission denied"), std::string::npos) << notCreated;
    EXPECT_EQ(FileCount(), 2u);
}

}  // namespace
}  // namespace zarvex
