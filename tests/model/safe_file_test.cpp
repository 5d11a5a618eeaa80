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
#include "model/kept_copy.h"
#include "model/safe_file.h"
#include "support/scratch_folder.h"

namespace zarvex {
namespace {

namespace fs = std::filesystem;

class SafeFileTest : public ::testing::Test {
  protected:
    void SetUp() override { SetKeptCopyFolder(kept_.path().string()); }
    void TearDown() override {
        fs::permissions(dir_, fs::perms::owner_all);
        SetKeptCopyFolder("");
    }
    std::size_t FileCount() const {
        return static_cast<std::size_t>(
            std::distance(fs::directory_iterator(dir_), fs::directory_iterator()));
    }
    testing::ScratchFolder scratch_{"safe"};
    const fs::path& dir_ = scratch_.path();
    // Copies kept while files are written in place.
    testing::ScratchFolder kept_{"kept"};
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

// Written in place (a second name, or a folder that takes no new file), a failure
// never leaves a file that is neither the old nor the new one without naming where
// complete copies of both lie; no copy kept, no write.
TEST_F(SafeFileTest, AnInPlaceWriteThatFailsLeavesTheOldTextOrNamesItsCopies) {
    const std::string p = (dir_ / "linked.zarvex").string();
    WriteFileSafely(p, "old");
    fs::create_hard_link(p, dir_ / "second.zarvex");
    const std::string longer(4096, 'n');
    struct Case {
        const char* what;
        bool linked;      // else the folder takes no new file
        long long bytes;  // what the disk takes after the temporary file, if any
        bool reservation;
        bool brokenDevice;   // the old text cannot be put back either
        const char* keptIn;  // where copies go, inside the folder; null: the kept folder
        const char* says;
    };
    const char* const leftAsItWas = ": No space left on device; the file was left as it was";
    const Case cases[] = {
        {"reserved ahead", true, 10, true, false, nullptr, leftAsItWas},
        {"no reservation", true, 10, false, false, nullptr, leftAsItWas},
        {"no new file, reserved", false, 10, true, false, nullptr, leftAsItWas},
        {"no new file, no reservation", false, 10, false, false, nullptr, leftAsItWas},
        {"device fails part-way", true, 10, false, true, nullptr,
         ": Input/output error; the file may be incomplete, its earlier text was saved as "},
        {"no new file, device fails part-way", false, 10, false, true, nullptr,
         ": Input/output error; the file may be incomplete, its earlier text was saved as "},
        {"no new file, nowhere to keep a copy", false, -1, true, false, "linked.zarvex/kept",
         ": no copy of it could be kept while it is written in place ("},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        if (c.keptIn)
            SetKeptCopyFolder((dir_ / c.keptIn).string());
        WriteFaults faults(c.bytes < 0 ? -1 : c.bytes + (c.linked ? 4096 : 0));
        faults.noReservation = !c.reservation;
        faults.brokenDevice = c.brokenDevice;
        faults.noNewFile = !c.linked;
        std::string message;
        try {
            WriteFileSafely(p, longer, &faults);
            ADD_FAILURE() << "the write should have failed";
        } catch (const FileIoError& e) {
            message = e.what();
        }
        EXPECT_THAT(message, ::testing::HasSubstr(p + c.says));
        SetKeptCopyFolder(kept_.path().string());
        const std::vector<std::string> kept = kept_.Names();
        if (!c.brokenDevice) {
            EXPECT_EQ(ReadWholeFile(p), "old");
            EXPECT_EQ(ReadWholeFile((dir_ / "second.zarvex").string()), "old");
            EXPECT_TRUE(kept.empty());
            EXPECT_EQ(FileCount(), 2u);
            continue;
        }
        EXPECT_NE(ReadWholeFile(p), "old");
        // The message names both complete texts, and nothing else is left over.
        ASSERT_EQ(kept.size(), c.linked ? 1u : 2u);
        const std::string oldCopy = kept_.File(kept.back());  // ".old" after ".new"
        EXPECT_THAT(message,
                    ::testing::HasSubstr("saved as " + oldCopy + ", its new text lies in "));
        EXPECT_EQ(ReadWholeFile(oldCopy), "old");
        const std::string newCopy =
            c.linked ? message.substr(message.rfind(' ') + 1) : kept_.File(kept.front());
        EXPECT_THAT(message, ::testing::EndsWith(newCopy));
        EXPECT_EQ(ReadWholeFile(newCopy), longer);
        EXPECT_EQ(FileCount(), c.linked ? 3u : 2u);
        for (const std::string& copy : {oldCopy, newCopy})
            fs::remove(copy);
        WriteFileSafely(p, "old");
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

// A writer killed while it rewrites a file in place cuts the file short; its
// complete new text stays beside it (a file with a second name) or in the kept
// folder (a folder that takes no new file), found as a killed writer's copy, until
// the next complete write puts the text in place and removes every copy.
TEST_F(SafeFileTest, AWriterKilledDuringAnInPlaceRewriteLeavesTheCompleteTextSomewhere) {
    const std::string oldText(3000, 'o');
    std::string newText;
    for (int i = 0; i < 500; ++i)
        newText += "line " + std::to_string(i) + "\r\n";
    for (const bool linked : {true, false}) {
        SCOPED_TRACE(linked ? "a second name" : "no new file");
        const std::string p = (dir_ / (linked ? "linked.zarvex" : "alone.zarvex")).string();
        WriteFileSafely(p, oldText);
        if (linked)
            fs::create_hard_link(p, dir_ / "second.zarvex");
        WriteFaults faults;
        faults.noNewFile = !linked;
        const pid_t writer = ::fork();
        if (writer == 0) {
            faults.killInPlaceAfter = 1000;
            try {
                WriteFileSafely(p, newText, &faults);
            } catch (...) {
            }
            ::_exit(0);
        }
        int status = 0;
        ASSERT_EQ(::waitpid(writer, &status, 0), writer);
        ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL);
        EXPECT_EQ(ReadWholeFile(p), newText.substr(0, 1000) + oldText.substr(1000));
        const std::vector<std::string> copies = CopiesOfKilledWriters(p);
        ASSERT_EQ(copies.size(), 1u);
        EXPECT_EQ(copies[0].starts_with(kept_.path().string()), !linked);
        EXPECT_EQ(ReadWholeFile(copies[0]), newText);
        EXPECT_TRUE(CopiesOfKilledWriters((dir_ / "other.zarvex").string()).empty());

        WriteFileSafely(p, ReadWholeFile(copies[0]), &faults);
        EXPECT_EQ(ReadWholeFile(p), newText);
        EXPECT_TRUE(CopiesOfKilledWriters(p).empty());
        EXPECT_TRUE(kept_.Names().empty()) << "the earlier text's copy went too";
    }
    EXPECT_EQ(ReadWholeFile((dir_ / "second.zarvex").string()), newText);
    EXPECT_EQ(FileCount(), 3u);
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
    GiveToUser(kept_.path().string());
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
