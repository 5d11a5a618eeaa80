#include <gtest/gtest.h>

#include <filesystem>

#include "file_format_helpers.h"
#include "golden_cases.h"
#include "model/errors.h"
#include "model/project_file.h"
#include "model/safe_file.h"

namespace zarvex {
namespace {

namespace fs = std::filesystem;
using testing::FillSampleDesign;
using testing::ReadBytes;
using testing::RecordingProgress;
using testing::ScratchFolder;
using testing::TreeDump;
using testing::WriteBytes;

const fs::path kData = fs::path(ZARVEX_TEST_DATA_DIR) / "model";

TEST(ProjectFile, SaveWritesTheLayoutByteForByte) {
    ScratchFolder dir;
    TkavoAppletAgent agent;
    agent.ResetToDefaults();
    TItemData item = NewItemRecord();
    item.Level = "0";
    item.ParentIndex = "-1";
    agent.Items.push_back(item);
    agent.SaveProjectFile(dir.File("a.zarvex"));

    std::string expected =
        "<Warning_Info>\r\n"
        "Note: This file was created and maintained by Zarvex 1.0.\r\n"
        "Do not modify it or script project may not be opened again!\r\n"
        "</Warning_Info>\r\n"
        "<Product_Name>\r\nZarvex\r\n</Product_Name>\r\n"
        "<Product_Version>\r\n1.0\r\n</Product_Version>\r\n"
        "<Applet_Parameters>\r\n"
        "MyMenu1#$@#$@0#$@1#$@1#$@0#$@100#$@0#$@0#$@0#$@0#$@0#$@1#$@3#$@55A1FF#$@4086E4#$@"
        "68ACF8#$@3882E2#$@2#$@000000#$@FFFFFF#$@FFFFFF#$@316AC5#$@FFFFFF#$@316AC5#$@1000#$@"
        "tahoma, verdana, sans-serif#$@11#$@16#$@16#$@arrowr.gif#$@arrowrh.gif#$@sep.gif#$@"
        "scrollu.gif#$@scrolluh.gif#$@scrollud.gif#$@scrolld.gif#$@scrolldh.gif#$@scrolldd.gif#$@"
        "#$@#$@0#$@\r\n"
        "</Applet_Parameters>\r\n"
        "<Item_Parameters>\r\n"
        "Item#$@#$@#$@_self#$@#$@#$@0#$@#$@#$@-1#$@\r\n"
        "</Item_Parameters>\r\n";
    EXPECT_EQ(ReadBytes(dir.File("a.zarvex")), expected);
}

TEST(ProjectFile, SaveThenLoadRestoresEveryFieldAndTheTree) {
    ScratchFolder dir;
    TkavoAppletAgent saved;
    PreorderTree savedTree;
    FillSampleDesign(saved, savedTree);
    saved.SaveProjectFile(dir.File("design.zarvex"));

    TkavoAppletAgent loaded;
    loaded.ResetToDefaults();
    PreorderTree tree;
    tree.AddLastChild(0, "previous design");
    loaded.LoadProjectFile(dir.File("design.zarvex"), tree);
    EXPECT_EQ(loaded.MenuParameters, saved.MenuParameters);
    EXPECT_EQ(loaded.Items, saved.Items);
    EXPECT_EQ(loaded.LoadedVersion, "1.0");
    EXPECT_EQ(TreeDump(tree), TreeDump(savedTree));

    // Opened and saved without edits, the file keeps its bytes.
    loaded.SaveProjectFile(dir.File("again.zarvex"));
    EXPECT_EQ(ReadBytes(dir.File("again.zarvex")), ReadBytes(dir.File("design.zarvex")));
}

TEST(ProjectFile, ReportsProgressAsSavingAndLoadingCountIt) {
    ScratchFolder dir;
    RecordingProgress progress;
    TkavoAppletAgent agent(&progress);
    agent.ResetToDefaults();
    TItemData item = NewItemRecord();
    item.Level = "0";
    agent.Items = {item, item};
    agent.SaveProjectFile(dir.File("p.zarvex"));

    std::vector<std::string> expected = {"max 35", "status Saving Data ... ...", "busy 1",
                                         "step 10", "step 5"};
    expected.insert(expected.end(), 20, "step 1");
    expected.insert(expected.end(), {"pos 0", "status ", "busy 0"});
    EXPECT_EQ(progress.events, expected);

    progress.events.clear();
    PreorderTree tree;
    agent.LoadProjectFile(dir.File("p.zarvex"), tree);
    EXPECT_EQ(progress.events, (std::vector<std::string>{"status Loading Data ... ...", "busy 1",
                                                         "pos 0", "status ", "busy 0"}));
}

// Both writers, as a disk that fills up part-way sees them.
struct WriterCase {
    const char* name;
    const char* file;
    void (*write)(TkavoAppletAgent& agent, const std::string& path);
};
const WriterCase kWriters[] = {
    {"Project", "design.zarvex",
     [](TkavoAppletAgent& agent, const std::string& path) { agent.SaveProjectFile(path); }},
    {"Structure", "s.gms",
     [](TkavoAppletAgent& agent, const std::string& path) { agent.ExportStructure(path); }},
};

class EveryWriter : public ::testing::TestWithParam<WriterCase> {};

TEST_P(EveryWriter, AWriteFailurePartWayKeepsTheOldFileAndLeavesNoTemporary) {
    ScratchFolder dir;
    const std::string path = dir.File(GetParam().file);
    TkavoAppletAgent agent;
    PreorderTree tree;
    FillSampleDesign(agent, tree);
    GetParam().write(agent, path);
    const std::string before = ReadBytes(path);

    RecordingProgress progress;
    agent.SetProgress(&progress);
    agent.Items[0].Text = "Changed";
    WriteFaults fullDisk{200};
    agent.SetWriteFaults(&fullDisk);
    EXPECT_THROW(GetParam().write(agent, path), FileIoError);

    EXPECT_EQ(ReadBytes(path), before);
    EXPECT_EQ(dir.Names(), std::vector<std::string>{GetParam().file});
    EXPECT_TRUE(progress.EndsReset());
}

INSTANTIATE_TEST_SUITE_P(Writers, EveryWriter, ::testing::ValuesIn(kWriters),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(ProjectFile, AFileThatCannotBeCreatedOrOpenedIsAnIoError) {
    ScratchFolder dir;
    TkavoAppletAgent agent;
    PreorderTree tree;
    FillSampleDesign(agent, tree);
    const TItemArray items = agent.Items;
    EXPECT_THROW(agent.SaveProjectFile(dir.File("missing/folder/x.zarvex")), FileIoError);
    EXPECT_THROW(agent.LoadProjectFile(dir.File("none.zarvex"), tree), FileIoError);
    EXPECT_THROW(agent.LoadProjectFile(dir.path().string(), tree), FileIoError);
    EXPECT_EQ(agent.Items, items);
    EXPECT_EQ(tree.NodeCount(), static_cast<int>(items.size()) + 1);
}

TEST(ProjectFile, AFieldTheFileCannotCarryIsRefusedAndTheOldFilesStay) {
    ScratchFolder dir;
    TkavoAppletAgent agent;
    PreorderTree tree;
    FillSampleDesign(agent, tree);
    agent.AttachTree(&tree);
    agent.SaveProjectFile(dir.File("p.zarvex"));
    agent.ExportStructure(dir.File("s.gms"));
    const std::string project = ReadBytes(dir.File("p.zarvex"));
    const std::string structure = ReadBytes(dir.File("s.gms"));

    agent.Items[2].Link = "a.html#$@_blank";
    try {
        agent.SaveProjectFile(dir.File("p.zarvex"));
        FAIL() << "saved";
    } catch (const BuildError& e) {
        EXPECT_NE(std::string(e.what()).find("The Link of item 3 holds"), std::string::npos)
            << e.what();
    }
    EXPECT_THROW(agent.ExportStructure(dir.File("s.gms")), BuildError);
    agent.Items[2].Link = "a.html";
    agent.MenuParameters.FontFamily = "two\nlines";
    EXPECT_THROW(agent.SaveProjectFile(dir.File("p.zarvex")), BuildError);
    // Parameters are not carried by the structure file.
    agent.ExportStructure(dir.File("s2.gms"));

    EXPECT_EQ(ReadBytes(dir.File("p.zarvex")), project);
    EXPECT_EQ(ReadBytes(dir.File("s.gms")), structure);
    EXPECT_EQ(dir.Names(), (std::vector<std::string>{"p.zarvex", "s.gms", "s2.gms"}));
}

// Golden cases: each folder holds input.zarvex, the file that saving the loaded
// design gives (saved.zarvex) and the tree it builds (tree.txt).
class ProjectGolden : public ::testing::TestWithParam<std::string> {};

TEST_P(ProjectGolden, LoadsAndSavesAsExpected) {
    const fs::path folder = kData / "project_golden" / GetParam();
    ScratchFolder dir;
    TkavoAppletAgent agent;
    agent.ResetToDefaults();
    PreorderTree tree;
    agent.LoadProjectFile((folder / "input.zarvex").string(), tree);
    EXPECT_EQ(TreeDump(tree), ReadBytes(folder / "tree.txt"));
    agent.SaveProjectFile(dir.File("out.zarvex"));
    EXPECT_EQ(ReadBytes(dir.File("out.zarvex")), ReadBytes(folder / "saved.zarvex"));
}

INSTANTIATE_TEST_SUITE_P(Cases, ProjectGolden,
                         ::testing::ValuesIn(testing::GoldenCaseNames(kData / "project_golden")),
                         [](const auto& info) { return info.param; });

TEST(ProjectFile, ReadsTheVersionAndSplitsFieldsBySeparator) {
    // A short parameter line leaves fields empty that no control can show: the broken
    // file table holds it.
    std::string parameters;
    for (const auto& f : kAppletFields)
        parameters += std::string(f.name == "MenuName" ? "Only" : f.defaultText) + "#$@";
    const std::string ok =
        "<Product_Name>\r\nTarvessa\r\n<Product_Version>\r\n0.9 beta\r\n"
        "<Applet_Parameters>\r\n" +
        parameters + "ignored\r\n<Item_Parameters>\r\n</Item_Parameters>\r\n";
    const ProjectFileContent c = ParseProjectText(ok, "f");
    EXPECT_EQ(c.version, "0.9 beta");
    EXPECT_EQ(c.parameters.MenuName, "Only");
    EXPECT_EQ(c.parameters.UseLocalPaths, "0");
    EXPECT_EQ(c.parameters.FontFamily, "tahoma, verdana, sans-serif");
    EXPECT_TRUE(c.items.empty());
}

}  // namespace
}  // namespace zarvex
