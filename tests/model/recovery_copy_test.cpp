// What keeps an author's work from other writers and from a killed session: the
// file stamp that tells a change on disk, and the recovery copies.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <memory>
#include <string>

#include "model/errors.h"
#include "model/file_stamp.h"
#include "model/preorder_tree.h"
#include "model/recovery_copy.h"
#include "model/safe_file.h"
#include "publish/applet_agent.h"
#include "support/files.h"
#include "support/scratch_folder.h"

namespace zarvex::testing {
namespace {

namespace fs = std::filesystem;

TEST(FileStamp, ChangedOnDiskMeansOtherContentsNotAnotherTouch) {
    ScratchFolder folder("stamp");
    const std::string path = folder.File("p.zarvex");
    struct Row {
        const char* what;
        void (*change)(const std::string& path, const std::string& scratch);
        bool changed;
    };
    const Row rows[] = {
        {"untouched", [](const std::string&, const std::string&) {}, false},
        {"rewritten with the same bytes",
         [](const std::string& p, const std::string&) { WriteBytes(p, "old text"); }, false},
        {"replaced by a rename, same bytes",
         [](const std::string& p, const std::string& s) {
             WriteBytes(s, "old text");
             fs::rename(s, p);
         },
         false},
        {"rewritten with other bytes of the same length",
         [](const std::string& p, const std::string&) { WriteBytes(p, "new text"); }, true},
        {"replaced by a rename with other bytes",
         [](const std::string& p, const std::string& s) {
             WriteBytes(s, "another writer");
             fs::rename(s, p);
         },
         true},
        {"removed", [](const std::string& p, const std::string&) { fs::remove(p); }, false},
    };
    for (const Row& row : rows) {
        WriteBytes(path, "old text");
        const FileStamp stamp = StampFile(path);
        ASSERT_TRUE(stamp.exists);
        row.change(path, folder.File("other"));
        EXPECT_EQ(ChangedOnDisk(stamp, path), row.changed) << row.what;
        EXPECT_EQ(FileStamp::FromText(stamp.ToText()).ToText(), stamp.ToText());
    }
    // A file that appeared where there was none is another writer's.
    fs::remove(path);
    const FileStamp none = StampFile(path);
    EXPECT_FALSE(none.exists);
    WriteBytes(path, "created meanwhile");
    EXPECT_TRUE(ChangedOnDisk(none, path));
    EXPECT_FALSE(FileStamp::FromText("1 2 3").exists);
}

TEST(FileStamp, AFileWithoutWriteBitsIsReadOnlyEvenForRoot) {
    ScratchFolder folder("readonly");
    const std::string path = folder.File("p.zarvex");
    WriteBytes(path, "x");
    EXPECT_FALSE(IsReadOnlyFile(path));
    ::chmod(path.c_str(), 0444);
    EXPECT_TRUE(IsReadOnlyFile(path));
    EXPECT_FALSE(IsReadOnlyFile(folder.File("absent.zarvex")));
}

TEST(RecoveryCopy, ACopyOutlivesAKilledSessionOnlyAndNamesItsProject) {
    ScratchFolder state("state");
    const std::string stateFolder = state.path().string();
    WriteBytes(state.path() / "p.zarvex", "saved");
    const FileStamp stamp = StampFile(state.File("p.zarvex"));
    {
        RecoveryWriter running(stateFolder, "window-1");
        running.Write("design text", state.File("p.zarvex"), stamp);
        EXPECT_TRUE(FindOrphanedCopies(stateFolder).empty()) << "its session still runs";
        // Saved or discarded: nothing is left to offer.
        running.Remove();
        EXPECT_FALSE(running.HasCopy());
    }
    EXPECT_TRUE(FindOrphanedCopies(stateFolder).empty());

    // A session that ends with unsaved changes (killed, signalled) leaves its copy.
    auto killed = std::make_unique<RecoveryWriter>(stateFolder, "window-2");
    killed->Write("first", "", {});
    killed->Write("design text", state.File("p.zarvex"), stamp);
    killed.reset();
    const auto copies = FindOrphanedCopies(stateFolder);
    ASSERT_EQ(copies.size(), 1u);
    EXPECT_EQ(ReadBytes(copies[0].designPath), "design text");
    EXPECT_EQ(copies[0].origin, state.File("p.zarvex"));
    EXPECT_EQ(copies[0].originStamp.ToText(), stamp.ToText());
    RemoveRecoveryCopy(copies[0]);
    EXPECT_TRUE(FindOrphanedCopies(stateFolder).empty());
    EXPECT_TRUE(fs::is_empty(state.path() / "recovery"));
    // A killed session that kept nothing leaves only its lock: the next one removes it.
    WriteBytes(state.path() / "recovery/window-9.lock", "");
    RecoveryWriter next(stateFolder, "window-3");
    EXPECT_FALSE(fs::exists(state.path() / "recovery/window-9.lock"));
    EXPECT_TRUE(fs::exists(state.path() / "recovery/window-3.lock"));
}

// A copy that cannot be written, or a design Save would refuse, leaves the previous
// good copy; every copy written opens again, web page options included.
TEST(RecoveryCopy, AFailedOrRefusedWriteKeepsThePreviousCopy) {
    ScratchFolder state("state");
    TkavoAppletAgent agent;
    agent.ResetToDefaults();
    agent.WebPage.pattern = NavigationPattern::SiteNavigation;
    auto writer = std::make_unique<RecoveryWriter>(state.path().string(), "window-1");
    ASSERT_FALSE(writer->WriteDesign(agent, "", {}));
    const std::string good = ReadBytes(state.File("recovery/window-1.zarvex"));
    WriteFaults fullDisk(5);
    agent.MenuParameters.MenuName = "Changed";
    EXPECT_THROW(writer->WriteDesign(agent, "", {}, &fullDisk), FileIoError);
    agent.MenuParameters.MenuName = "class";
    const auto fault = writer->WriteDesign(agent, "", {});
    ASSERT_TRUE(fault);
    EXPECT_EQ(fault->field, "MenuName");
    writer.reset();
    const auto copies = FindOrphanedCopies(state.path().string());
    ASSERT_EQ(copies.size(), 1u);
    EXPECT_EQ(ReadBytes(copies[0].designPath), good);
    EXPECT_EQ(copies[0].fault, "");
    TkavoAppletAgent restored;
    PreorderTree tree;
    restored.LoadProjectFile(copies[0].designPath, tree);
    EXPECT_EQ(restored.WebPage.pattern, NavigationPattern::SiteNavigation);

    // A copy the reader refuses is found with the reader's reason, for the window to
    // name rather than restore.
    WriteBytes(state.path() / "recovery/window-2.zarvex", "not a project");
    const auto found = FindOrphanedCopies(state.path().string());
    ASSERT_EQ(found.size(), 2u);
    const auto& refused = found[0].designPath.ends_with("window-2.zarvex") ? found[0] : found[1];
    EXPECT_NE(refused.fault.find("window-2.zarvex"), std::string::npos) << refused.fault;
}

}  // namespace
}  // namespace zarvex::testing
