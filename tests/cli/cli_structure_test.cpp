#include <gtest/gtest.h>

#include <filesystem>

#include "cli/cli_commands.h"
#include "support/cli_runner.h"
#include "support/files.h"
#include "support/scratch_folder.h"

namespace zarvex::testing {
namespace {

namespace fs = std::filesystem;

TEST(WithStructureExtensionTest, AppendsUnlessTheNameEndsInGmsInAnyCase) {
    EXPECT_EQ(cli::WithStructureExtension("menu"), "menu.gms");
    EXPECT_EQ(cli::WithStructureExtension("menu.GMS"), "menu.GMS");
    EXPECT_EQ(cli::WithStructureExtension("menu.txt"), "menu.txt.gms");
    EXPECT_EQ(cli::WithStructureExtension("gms"), "gms.gms");
}

class CliStructureTest : public ::testing::Test {
  protected:
    void SetUp() override { dir_ = FreshFolder("cli-gms"); }
    void TearDown() override { fs::remove_all(dir_); }
    fs::path dir_;
};

TEST_F(CliStructureTest, ExportAndImportCarryTheTreeBothWays) {
    const fs::path project =
        fs::path(ZARVEX_TEST_DATA_DIR) / "designs" / "three_levels" / "shop.zarvex";
    ASSERT_EQ(RunCli({"export-gms", project.string(), (dir_ / "tree").string()}).status, 0);
    ASSERT_EQ(RunCli({"export-gms", project.string(), (dir_ / "TREE2.GMS").string()}).status, 0);
    EXPECT_EQ(FileNames(dir_), (std::vector<std::string>{"TREE2.GMS", "tree.gms"}));
    const std::string exported = ReadBytes(dir_ / "tree.gms");
    EXPECT_EQ(ReadBytes(dir_ / "TREE2.GMS"), exported);
    EXPECT_NE(exported.find("2#$@Hammer#$@hammer.gif#$@h.html#$@A hammer#$@\r\n"),
              std::string::npos);

    const CliResult imported =
        RunCli({"import-gms", (dir_ / "tree.gms").string(), (dir_ / "back.zarvex").string()});
    ASSERT_EQ(imported.status, 0) << imported.err;
    ASSERT_EQ(
        RunCli({"export-gms", (dir_ / "back.zarvex").string(), (dir_ / "again").string()}).status,
        0);
    EXPECT_EQ(ReadBytes(dir_ / "again.gms"), exported);

    // An import is a new design: the menu-wide values are the defaults again.
    const CliResult html = RunCli({"html", (dir_ / "back.zarvex").string()});
    ASSERT_EQ(html.status, 0) << html.err;
    EXPECT_NE(html.out.find("<ul id=\"MyMenu1_ul\""), std::string::npos);
    EXPECT_EQ(html.out.find("_blank"), std::string::npos);

    // With a settings file the menu-wide values are those it names; a line naming no
    // menu field refuses the import before anything is written.
    WriteBytes(dir_ / "menu.txt", "# a comment\nMenuName=Shop\r\n\nFontFamily=Caf\xe9, serif\n");
    const CliResult set =
        RunCli({"import-gms", (dir_ / "tree.gms").string(), (dir_ / "set.zarvex").string(),
                "--settings", (dir_ / "menu.txt").string()});
    ASSERT_EQ(set.status, 0) << set.err;
    const std::string saved = ReadBytes(dir_ / "set.zarvex");
    EXPECT_NE(saved.find("\r\nShop#$@#$@0#$@"), std::string::npos);
    EXPECT_NE(saved.find("#$@Caf\xc3\xa9, serif#$@11#$@"), std::string::npos) << "held as UTF-8";
    EXPECT_EQ(
        RunCli({"export-gms", (dir_ / "set.zarvex").string(), (dir_ / "set").string()}).status, 0);
    EXPECT_EQ(ReadBytes(dir_ / "set.gms"), exported);

    WriteBytes(dir_ / "bad.txt", "MenuName=Shop\nColour=red\n");
    const CliResult bad =
        RunCli({"import-gms", (dir_ / "tree.gms").string(), (dir_ / "bad.zarvex").string(),
                "--settings", (dir_ / "bad.txt").string()});
    EXPECT_EQ(bad.status, 1);
    EXPECT_EQ(bad.err,
              "zarvex-cli: " + (dir_ / "bad.txt").string() + ":2: 'Colour' is not a menu field\n");
    EXPECT_FALSE(fs::exists(dir_ / "bad.zarvex"));
}

}  // namespace
}  // namespace zarvex::testing
