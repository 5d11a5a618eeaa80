// Every reader refuses a broken file with one error naming the file, the line
// where there is one and the reason, and changes nothing: not the design, not
// the loaded version, not the tree.
#include <gtest/gtest.h>

#include <filesystem>
#include <random>

#include "file_format_helpers.h"
#include "model/errors.h"
#include "model/project_file.h"

namespace zarvex {
namespace {

namespace fs = std::filesystem;
using testing::FillSampleDesign;
using testing::ReadBytes;
using testing::RecordingProgress;
using testing::ScratchFolder;
using testing::TreeDump;
using testing::WriteBytes;

enum class Reader { Project, Structure };

struct BrokenCase {
    std::string name;
    Reader reader;
    std::string bytes;   // the file's content
    std::string reason;  // expected in the error's reason
    int line;            // expected line, 0 when the whole file is to blame
};

const char* const kProjectRefused = "This file wasn't saved by Zarvex 1.0, open failed!";
const char* const kStructureRefused = "This file wasn't saved by specified format, open failed!";

std::string Stored(const std::string& file) {
    return ReadBytes(fs::path(ZARVEX_TEST_DATA_DIR) / "model" / "broken" / file);
}

std::string BinaryNoise() {
    std::mt19937 random(20240611);
    std::string bytes(64 * 1024, '\0');
    for (char& c : bytes)
        c = static_cast<char>(random() & 0xFF);
    return bytes;
}

// A valid file whose first item line is a run of 100,000 separators.
std::string WithSeparatorRun(Reader reader) {
    std::string run;
    for (int i = 0; i < 100000; ++i)
        run += "#$@";
    std::string text = Stored(reader == Reader::Project ? "level_empty.zarvex" : "level_jump.gms");
    const std::size_t first = reader == Reader::Project ? 14 : 13;  // lines before the first item
    std::size_t at = 0;
    for (std::size_t i = 0; i < first; ++i)
        at = text.find('\n', at) + 1;
    return text.substr(0, at) + run + "\r\n" + text.substr(at);
}

// A valid file whose items are count copies of line: so many records that they
// would take far more memory than the file's size.
std::string WithItemFlood(Reader reader, const std::string& line, int count) {
    const std::string text =
        Stored(reader == Reader::Project ? "level_empty.zarvex" : "level_jump.gms");
    const std::size_t first = reader == Reader::Project ? 14 : 13;  // lines before the first item
    std::size_t at = 0;
    for (std::size_t i = 0; i < first; ++i)
        at = text.find('\n', at) + 1;
    std::string flood = text.substr(0, at);
    for (int i = 0; i < count; ++i)
        flood += line;
    return flood +
           (reader == Reader::Project ? "</Item_Parameters>\r\n" : "</Structure_Description>\r\n");
}

// A sound project file of one item (parameters on line 12, the item on line 15)
// with one field changed: change(menu, item).
template <typename Change>
std::string WithField(Change change) {
    TAppletData menu = DefaultAppletData();
    TItemData item = NewItemRecord();
    item.Level = "0";
    change(menu, item);
    NullProgress progress;
    return FormatProjectText(menu, {item}, progress);
}

std::string WithMenuField(AppletField field, const std::string& value) {
    return WithField([&](TAppletData& m, TItemData&) { Field(m, field) = value; });
}

std::string WithItemField(ItemField field, const std::string& value) {
    return WithField([&](TAppletData&, TItemData& i) { Field(i, field) = value; });
}

std::vector<BrokenCase> Cases() {
    const auto P = Reader::Project;
    const auto S = Reader::Structure;
    const std::string incomplete = "the file is incomplete: it ends before ";
    return {
        {"ProjectEmpty", P, Stored("empty.zarvex"), "the file is empty", 0},
        {"ProjectNoProductLine", P, Stored("no_product_line.zarvex"), kProjectRefused, 7},
        {"ProjectWrongProduct", P, Stored("wrong_product.zarvex"), kProjectRefused, 6},
        {"ProjectProductInOtherCase", P, Stored("product_in_other_case.zarvex"), kProjectRefused,
         6},
        {"ProjectIsAStructureFile", P, Stored("structure_as_project.zarvex"), kProjectRefused, 8},
        {"ProjectEndsAfterProductTag", P, Stored("ends_after_product_tag.zarvex"),
         incomplete + "the product name", 5},
        {"ProjectEndsInsideHeader", P, Stored("ends_inside_header.zarvex"),
         incomplete + "the product version", 8},
        {"ProjectEndsBeforeParameters", P, Stored("ends_before_parameters.zarvex"),
         incomplete + "<Applet_Parameters>", 10},
        {"ProjectEndsInsideItems", P, Stored("ends_inside_items.zarvex"),
         incomplete + "</Item_Parameters>", 16},
        {"ProjectLevelNotInteger", P, Stored("level_not_integer.zarvex"),
         "'one' is not a valid integer value", 16},
        {"ProjectLevelEmpty", P, Stored("level_empty.zarvex"), "the item has no level", 15},
        {"ProjectCutInsideItem", P, Stored("cut_inside_item.zarvex"),
         "the file is incomplete: it ends inside an item", 16},
        {"ProjectLevelJump", P, Stored("level_jump.zarvex"), "level 3 follows level 1", 17},
        {"ProjectFirstLevelNotZero", P, Stored("first_level_not_0.zarvex"),
         "the first item has level 1", 15},
        {"ProjectNegativeLevel", P, Stored("negative_level.zarvex"), "level -1 is negative", 16},
        {"ProjectSeparatorRun", P, WithSeparatorRun(P), "the item has no level", 15},
        {"ProjectItemFlood", P, WithItemFlood(P, "0\r\n", 700000), "more items than a file of", 15},
        {"ProjectBinaryNoise", P, BinaryNoise(), kProjectRefused, 507},
        // Fields that reach the script, the stylesheet or the page other than as HTML.
        {"ProjectScriptInDelay", P, WithMenuField(AppletField::DelayClose, "100);alert(1);(0"),
         "DelayClose: '100);alert(1);(0' is not a whole number from -9999 to 9999", 12},
        {"ProjectEmptyDelay", P, WithMenuField(AppletField::DelayClose, ""), "DelayClose: ''", 12},
        {"ProjectOctalDelay", P, WithMenuField(AppletField::DelayClose, "010"), "DelayClose: '010'",
         12},
        {"ProjectDelayBeyondTheWindow", P, WithMenuField(AppletField::DelayClose, "10000"),
         "DelayClose: '10000'", 12},
        {"ProjectScriptInOrientation", P, WithMenuField(AppletField::Orientation, "0,alert(1)"),
         "Orientation: '0,alert(1)' is not the number of a list entry (-1 to 1)", 12},
        {"ProjectMarkupInIconWidth", P,
         WithMenuField(AppletField::IconWidth, "16\" onerror=\"alert(1)"), "IconWidth: '16\"", 12},
        {"ProjectNegativePadding", P, WithMenuField(AppletField::PaddingLeft, "-1"),
         "PaddingLeft: '-1' is not a whole number from 0 to 9999", 12},
        {"ProjectFlagNotABit", P, WithMenuField(AppletField::ClickToOpen, "true"),
         "ClickToOpen: 'true' is neither 0 nor 1", 12},
        {"ProjectColourName", P, WithMenuField(AppletField::TextColor, "red"),
         "TextColor: 'red' is not a colour", 12},
        {"ProjectRuleInFontFamily", P,
         WithMenuField(AppletField::FontFamily, "a;}body{display:none"),
         "FontFamily: 'a;}body{display:none' is not a list of font names", 12},
        {"ProjectMarkupInMenuName", P, WithMenuField(AppletField::MenuName, "<b>M</b>"),
         "MenuName: '<b>M</b>' is not a script name", 12},
        {"ProjectReservedMenuName", P, WithMenuField(AppletField::MenuName, "default"),
         "MenuName: 'default' is a word the script language keeps for itself", 12},
        {"ProjectMenuNameOfTheWindow", P, WithMenuField(AppletField::MenuName, "location"),
         "MenuName: 'location' would take the place of \"location\"", 12},
        {"ProjectMenuNameOfTheScript", P, WithMenuField(AppletField::MenuName, "Velmo"),
         "would take the place of \"Velmo\"", 12},
        {"ProjectShortParameterLine", P, Stored("short_parameter_line.zarvex"),
         "ShowTooltips: '' is neither 0 nor 1", 14},
        {"ProjectMarkupInTarget", P, WithItemField(ItemField::Target, "x\" onclick=\"alert(1)"),
         "item 1, Target: 'x\" onclick=", 15},
        {"ProjectMarkupInIcon", P, WithItemField(ItemField::Icon, "a.gif\" onerror=\"alert(1)"),
         "item 1, Icon: 'a.gif\"", 15},
        {"ProjectWebPageBadValue", P, Stored("web_page_bad_value.zarvex"),
         "the web page choice OpenDelay=-5 has a value it cannot take", 38},
        {"ProjectWebPageUnended", P, Stored("web_page_unended.zarvex"), incomplete + "</Web_Page>",
         36},

        {"StructureEmpty", S, Stored("empty.gms"), "the file is empty", 0},
        {"StructureNoProductLine", S, Stored("no_product_line.gms"), kStructureRefused, 6},
        {"StructureFormatNameInOtherCase", S, Stored("format_name_in_other_case.gms"),
         kStructureRefused, 8},
        {"StructureIsAProjectFile", S, Stored("project_as_structure.gms"), kStructureRefused, 6},
        {"StructureEndsAfterProductTag", S, Stored("ends_after_product_tag.gms"),
         incomplete + "the format name", 7},
        {"StructureEndsInsideHeader", S, Stored("ends_inside_header.gms"),
         incomplete + "the format version", 10},
        {"StructureEndsBeforeItems", S, Stored("ends_before_items.gms"),
         incomplete + "<Structure_Description>", 12},
        {"StructureEndsInsideItems", S, Stored("ends_inside_items.gms"),
         incomplete + "</Structure_Description>", 15},
        {"StructureLevelNotInteger", S, Stored("level_not_integer.gms"),
         "'1.5' is not a valid integer value", 15},
        {"StructureLevelJump", S, Stored("level_jump.gms"), "level 2 follows level 0", 15},
        {"StructureFirstLevelNotZero", S, Stored("first_level_not_0.gms"),
         "the first item has level 3", 14},
        {"StructureNegativeLevel", S, Stored("negative_level.gms"), "level -2 is negative", 15},
        {"StructureSeparatorRun", S, WithSeparatorRun(S), "the item has no level", 14},
        {"StructureItemFlood", S, WithItemFlood(S, "0\n", 1000000), "more items than a file of",
         14},
        {"StructureBinaryNoise", S, BinaryNoise(), kStructureRefused, 507},
        {"StructureMarkupInIcon", S, Stored("markup_in_icon.gms"), "item 2, Icon: 'x.gif\"", 15},
    };
}

class BrokenFile : public ::testing::TestWithParam<BrokenCase> {};

TEST_P(BrokenFile, IsRefusedWithItsReasonAndChangesNothing) {
    const BrokenCase& c = GetParam();
    ScratchFolder dir;
    const std::string path = dir.File(c.reader == Reader::Project ? "broken.zarvex" : "broken.gms");
    WriteBytes(path, c.bytes);

    RecordingProgress progress;
    TkavoAppletAgent agent(&progress);
    PreorderTree tree;
    FillSampleDesign(agent, tree);
    const TkavoAppletAgent before = agent;
    const std::string treeBefore = TreeDump(tree);

    try {
        if (c.reader == Reader::Project)
            agent.LoadProjectFile(path, tree);
        else
            agent.ImportStructure(path, tree);
        FAIL() << "the file was accepted";
    } catch (const FileFormatError& e) {
        // The window shows the product-line messages as they stand.
        if (c.reason == kProjectRefused || c.reason == kStructureRefused)
            EXPECT_EQ(e.reason(), c.reason);
        else
            EXPECT_NE(e.reason().find(c.reason), std::string::npos) << e.reason();
        EXPECT_EQ(e.line(), c.line) << e.what();
        EXPECT_EQ(e.path(), path);
        EXPECT_EQ(std::string(e.what()).rfind(path, 0), 0u) << e.what();
    }
    EXPECT_EQ(agent.MenuParameters, before.MenuParameters);
    EXPECT_EQ(agent.Items, before.Items);
    EXPECT_EQ(agent.LoadedVersion, before.LoadedVersion);
    EXPECT_EQ(TreeDump(tree), treeBefore);
    EXPECT_TRUE(progress.EndsReset());
}

INSTANTIATE_TEST_SUITE_P(Table, BrokenFile, ::testing::ValuesIn(Cases()),
                         [](const auto& info) { return info.param.name; });

}  // namespace
}  // namespace zarvex
