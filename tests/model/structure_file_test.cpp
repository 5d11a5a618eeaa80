#include <gtest/gtest.h>

#include <filesystem>

#include "file_format_helpers.h"
#include "golden_cases.h"
#include "model/errors.h"
#include "model/safe_file.h"
#include "model/structure_file.h"

namespace zarvex {
namespace {

namespace fs = std::filesystem;
using testing::FillSampleDesign;
using testing::ReadBytes;
using testing::RecordingProgress;
using testing::ScratchFolder;
using testing::TreeDump;

const fs::path kData = fs::path(ZARVEX_TEST_DATA_DIR) / "model";

const char* const kHeader =
    "<Generator_Name>\r\nZarvex\r\n</Generator_Name>\r\n"
    "<Generator_Version>\r\n1.0\r\n</Generator_Version>\r\n"
    "<Product_Name>\r\nGeneral Menu Structure Description Format\r\n</Product_Name>\r\n"
    "<Product_Version>\r\n1.0\r\n</Product_Version>\r\n"
    "<Structure_Description>\r\n";

TEST(StructureFile, ExportWritesLevelsFromTheAttachedTree) {
    ScratchFolder dir;
    TkavoAppletAgent agent;
    agent.ResetToDefaults();
    PreorderTree tree;
    const int a = tree.AddLastChild(0, "A");
    tree.AddLastChild(a, "separator");
    tree.AddLastChild(0, "B");
    for (const char* text : {"A", "separator", "B"}) {
        TItemData item = NewItemRecord();
        item.Text = text;
        item.Level = "stale";
        item.Target = "_blank";
        agent.Items.push_back(item);
    }
    agent.Items[0].Icon = "a.gif";
    agent.Items[0].Link = "a.html";
    agent.Items[0].ToolTip = "tip";
    agent.AttachTree(&tree);
    agent.ExportStructure(dir.File("s.gms"));

    EXPECT_EQ(ReadBytes(dir.File("s.gms")), std::string(kHeader) +
                                                "0#$@A#$@a.gif#$@a.html#$@tip#$@\r\n"
                                                "1#$@separator#$@#$@#$@#$@\r\n"
                                                "0#$@B#$@#$@#$@#$@\r\n"
                                                "</Structure_Description>\r\n");
    // The recomputed levels stay in the model.
    EXPECT_EQ(agent.Items[1].Level, "1");
}

TEST(StructureFile, ExportWithoutTreeWritesLevelsAsHeldAndEmptyDesignWritesOnlyTheFrame) {
    ScratchFolder dir;
    TkavoAppletAgent agent;
    agent.ResetToDefaults();
    agent.ExportStructure(dir.File("empty.gms"));
    EXPECT_EQ(ReadBytes(dir.File("empty.gms")),
              std::string(kHeader) + "</Structure_Description>\r\n");

    TItemData item = NewItemRecord();
    item.Level = "0";
    agent.Items = {item};
    agent.ExportStructure(dir.File("one.gms"));
    EXPECT_EQ(ReadBytes(dir.File("one.gms")),
              std::string(kHeader) + "0#$@Item#$@#$@#$@#$@\r\n</Structure_Description>\r\n");
}

TEST(StructureFile, ExportRefusesATreeThatDisagreesWithTheItems) {
    ScratchFolder dir;
    TkavoAppletAgent agent;
    agent.ResetToDefaults();
    agent.Items = {NewItemRecord(), NewItemRecord()};
    PreorderTree tree;
    tree.AddLastChild(0, "only one");
    agent.AttachTree(&tree);
    EXPECT_THROW(agent.ExportStructure(dir.File("s.gms")), BuildError);
    EXPECT_TRUE(dir.Names().empty());
    EXPECT_EQ(agent.Items[0].Level, "");
}

TEST(StructureFile, ExportThenImportOfThreeLevelsRestoresTheCarriedFields) {
    ScratchFolder dir;
    TkavoAppletAgent source;
    PreorderTree sourceTree;
    FillSampleDesign(source, sourceTree);
    source.AttachTree(&sourceTree);
    source.ExportStructure(dir.File("s.gms"));

    TkavoAppletAgent target;
    PreorderTree tree;
    FillSampleDesign(target, tree);
    target.MenuParameters.MenuName = "Other";
    target.ImportStructure(dir.File("s.gms"), tree);

    EXPECT_EQ(TreeDump(tree), TreeDump(sourceTree));
    EXPECT_EQ(target.MenuParameters, DefaultAppletData());
    EXPECT_EQ(target.LoadedVersion, "1.0");
    ASSERT_EQ(target.Items.size(), source.Items.size());
    for (std::size_t i = 0; i < source.Items.size(); ++i) {
        const TItemData& in = source.Items[i];
        const TItemData& out = target.Items[i];
        EXPECT_EQ(out.Text, in.Text);
        EXPECT_EQ(out.Icon, in.Icon);
        EXPECT_EQ(out.Link, in.Link);
        EXPECT_EQ(out.ToolTip, in.ToolTip);
        EXPECT_EQ(out.Level, in.Level);
        // Not carried: back to the new-item values.
        EXPECT_EQ(out.Target, "_self");
        EXPECT_EQ(out.Reserved6, "");
        EXPECT_EQ(out.Reserved9, "");
        EXPECT_EQ(out.ParentIndex, "");
    }
}

TEST(StructureFile, ReportsProgressAsExportAndImportCountIt) {
    ScratchFolder dir;
    RecordingProgress progress;
    TkavoAppletAgent agent(&progress);
    agent.ResetToDefaults();
    TItemData item = NewItemRecord();
    item.Level = "0";
    agent.Items = {item, item, item};
    agent.ExportStructure(dir.File("s.gms"));
    EXPECT_EQ(progress.events,
              (std::vector<std::string>{"max 45", "status Saving Data ... ...", "busy 1", "step 10",
                                        "step 5", "pos 0", "status ", "busy 0"}));

    progress.events.clear();
    PreorderTree tree;
    agent.ImportStructure(dir.File("s.gms"), tree);
    EXPECT_EQ(progress.events, (std::vector<std::string>{"status Loading Data ... ...", "busy 1",
                                                         "pos 0", "status ", "busy 0"}));
}

// Golden cases: each folder holds input.gms, what exporting the imported design
// writes (exported.gms) and the tree the import builds (tree.txt).
class StructureGolden : public ::testing::TestWithParam<std::string> {};

TEST_P(StructureGolden, ImportsAndExportsAsExpected) {
    const fs::path folder = kData / "structure_golden" / GetParam();
    ScratchFolder dir;
    TkavoAppletAgent agent;
    PreorderTree tree;
    agent.AttachTree(&tree);
    agent.ImportStructure((folder / "input.gms").string(), tree);
    EXPECT_EQ(TreeDump(tree), ReadBytes(folder / "tree.txt"));
    agent.ExportStructure(dir.File("out.gms"));
    EXPECT_EQ(ReadBytes(dir.File("out.gms")), ReadBytes(folder / "exported.gms"));
}

INSTANTIATE_TEST_SUITE_P(Cases, StructureGolden,
                         ::testing::ValuesIn(testing::GoldenCaseNames(kData / "structure_golden")),
                         [](const auto& info) { return info.param; });

TEST(StructureFile, ImportKeepsTheVersionLineAndEmptiesMissingFields) {
    const std::string text =
        "<Product_Name>\r\nGeneral Menu Structure Description Format\r\n"
        "<Product_Version>\r\n7 (unchecked)\r\n<Structure_Description>\r\n"
        "0#$@\r\n</Structure_Description>\r\n";
    const StructureFileContent c = ParseStructureText(text, "f.gms");
    EXPECT_EQ(c.version, "7 (unchecked)");
    ASSERT_EQ(c.items.size(), 1u);
    EXPECT_EQ(c.items[0].Text, "");  // a missing field is empty, not the new-item "Item"
    EXPECT_EQ(c.items[0].Target, "_self");
    EXPECT_EQ(c.treeLevels, std::vector<int>{1});
}

}  // namespace
}  // namespace zarvex
