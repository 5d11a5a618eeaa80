#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "support/cli_runner.h"
#include "support/files.h"
#include "support/scratch_folder.h"
#include "version.h"

namespace zarvex::testing {
namespace {

namespace fs = std::filesystem;
using ::testing::MatchesRegex;

const fs::path kBroken = fs::path(ZARVEX_TEST_DATA_DIR) / "cli" / "broken";

// A broken input, the command that reads it and the start of the one error line.
struct Refusal {
    std::string file;
    std::string command;  // publish, html, report, export-gms, import-gms or import-json
    std::string where;    // ":<line>" when a line is to blame, else ""
    std::string reason;
};

void PrintTo(const Refusal& r, std::ostream* os) {
    *os << r.command << " " << r.file;
}

const Refusal kRefusals[] = {
    {"empty.zarvex", "publish", "", "the file is empty"},
    {"empty.zarvex", "html", "", "the file is empty"},
    {"wrong_product.zarvex", "publish", ":6", "This file wasn't saved by Zarvex 1.0, open failed!"},
    {"wrong_product.zarvex", "export-gms", ":6",
     "This file wasn't saved by Zarvex 1.0, open failed!"},
    {"level_jump.zarvex", "publish", ":16", "level 2 follows level 0"},
    {"level_not_integer.zarvex", "report", ":16", "'x' is not a valid integer value"},
    {"bad_border_style.zarvex", "publish", ":12", "BorderStyle: 'solid' is not the number of"},
    {"bad_border_style.zarvex", "report", ":12", "BorderStyle: 'solid' is not the number of"},
    {"script_in_delay.zarvex", "publish", ":12",
     "DelayClose: '100);alert(1);(0' is not a whole number from -9999 to 9999"},
    {"menu_name_of_the_window.zarvex", "html", ":12",
     "MenuName: 'location' would take the place of \"location\""},
    {"markup_in_target.zarvex", "export-gms", ":15", "item 1, Target: '_self\" onclick="},
    // A settings file is checked as a project file is, before anything is written.
    {"empty_delay.settings", "import-gms", ":1", "DelayClose: '' is not a whole number"},
    {"script_in_orientation.settings", "import-gms", ":3",
     "Orientation: '0,alert(1)' is not the number of a list entry"},
    {"reserved_menu_name.settings", "import-gms", ":1",
     "MenuName: 'class' is a word the script language keeps for itself"},
    // An import never writes a project file that the reader would refuse.
    {"markup_in_target.json", "import-json", "",
     "Cannot save the design: item 1, Target: '_self\" onclick="},
    {"reserved_menu_name.json", "import-json", "",
     "Cannot save the design: MenuName: 'class' is a word the script language keeps"},
    {"missing.zarvex", "publish", "", "No such file or directory"},
    {"empty.gms", "import-gms", "", "the file is empty"},
    {"format_name_other_case.gms", "import-gms", ":8",
     "This file wasn't saved by specified format, open failed!"},
    {"level_not_integer.gms", "import-gms", ":15", "'one' is not a valid integer value"},
    {"project_as_structure.gms", "import-gms", ":6",
     "This file wasn't saved by specified format, open failed!"},
    {"three_levels.gms", "publish", ":8", "This file wasn't saved by Zarvex 1.0, open failed!"},
};

class CliRefusalTest : public ::testing::TestWithParam<Refusal> {
  protected:
    void SetUp() override {
        out_ = FreshFolder("cli-refusal");
        WriteBytes(out_ / "keep.txt", "already here");
    }
    void TearDown() override { fs::remove_all(out_); }
    fs::path out_;
};

TEST_P(CliRefusalTest, SaysWhichFileAndWhyAndWritesNothing) {
    const Refusal& c = GetParam();
    fs::path input = kBroken / c.file;
    if (c.file == "three_levels.gms")
        input = kBroken / ".." / "good" / c.file;
    const auto before = Snapshot(out_);
    std::vector<std::string> args{c.command, input.string()};
    if (c.command == "publish")
        args.insert(args.end(), {"--to", (out_ / "new").string()});
    if (c.command == "export-gms")
        args.push_back((out_ / "tree").string());
    if (c.command == "import-gms")
        args.push_back((out_ / "menu.zarvex").string());
    if (c.command == "import-json")
        args.insert(args.end(), {"--to", (out_ / "menu.zarvex").string()});
    if (input.extension() == ".settings") {
        args[1] = (kBroken / ".." / "good" / "three_levels.gms").string();
        args.insert(args.end(), {"--settings", input.string()});
    }

    const CliResult r = RunCli(args);
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "");
    const std::string head = "zarvex-cli: " + input.string() + c.where + ": ";
    ASSERT_EQ(r.err.substr(0, head.size()), head) << r.err;
    EXPECT_NE(r.err.find(c.reason), std::string::npos) << r.err;
    EXPECT_EQ(r.err.find('\n'), r.err.size() - 1) << "exactly one line";
    EXPECT_EQ(Snapshot(out_), before);
}

INSTANTIATE_TEST_SUITE_P(BrokenInputs, CliRefusalTest, ::testing::ValuesIn(kRefusals));

TEST(CliUsageTest, HelpAndVersionSucceed) {
    const CliResult help = RunCli({"--help"});
    EXPECT_EQ(help.status, 0);
    for (const char* command :
         {"publish PROJECT [--to FOLDER] [--name NAME]", "html PROJECT", "report PROJECT",
          "export-gms PROJECT OUT", "import-gms IN OUT.zarvex"})
        EXPECT_NE(help.out.find(command), std::string::npos) << command;
    const CliResult version = RunCli({"--version"});
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.out, std::string("zarvex-cli ") + kVersionText + "\n");
}

TEST(CliUsageTest, CommandLinesItDoesNotUnderstandFailWithOneLine) {
    const std::vector<std::vector<std::string>> bad{
        {"frobnicate"},
        {"publish"},
        {"publish", "a.zarvex", "b.zarvex"},
        {"publish", "a.zarvex", "--to"},
        {"publish", "a.zarvex", "--to", "x", "--to", "y"},
        {"publish", "a.zarvex", "--name", "sub/menu"},
        {"publish", "a.zarvex", "--name", ".zarvex"},
        {"publish", "a.zarvex", "--colour", "red"},
        {"html", "a.zarvex", "--to", "x"},
        {"export-gms", "a.zarvex"},
        {"import-gms", "a.gms", "b.zarvex", "c"},
    };
    for (const auto& args : bad) {
        const CliResult r = RunCli(args);
        EXPECT_EQ(r.status, 1) << args[0];
        EXPECT_THAT(r.err, MatchesRegex("zarvex-cli: [^\n]+ \\(see zarvex-cli --help\\)\n"))
            << args[0];
    }
    const CliResult none = RunCli({});
    EXPECT_EQ(none.status, 1);
    EXPECT_NE(none.err.find("Usage: zarvex-cli"), std::string::npos);
}

// Writes head, then line count times, then tail.
void WriteRepeated(const fs::path& path, const std::string& head, const std::string& line,
                   int count, const std::string& tail) {
    std::ofstream out(path, std::ios::binary);
    out << head;
    for (int i = 0; i < count; ++i)
        out << line;
    out << tail;
}

// A sound design of over 100,000 items of a few short fields is read in full and
// written back item for item. (Its peak memory is measured in bench/.)
TEST(CliLargeDesignTest, ADesignOfManyShortItemsIsReadInFull) {
    const fs::path dir = FreshFolder("zarvex-cli-items-");
    const std::string head =
        "<Product_Name>\r\nGeneral Menu Structure Description Format\r\n</Product_Name>\r\n"
        "<Product_Version>\r\n1.0\r\n</Product_Version>\r\n<Structure_Description>\r\n"
        "0#$@Home#$@#$@index.html#$@#$@\r\n";
    const std::string line = "1#$@Short item#$@#$@page.html#$@#$@\r\n";
    const fs::path input = dir / "many.gms";
    WriteRepeated(input, head, line, 100000, "</Structure_Description>\r\n");
    const CliResult in = RunCli({"import-gms", input.string(), (dir / "many.zarvex").string()});
    ASSERT_EQ(in.status, 0) << in.err;
    const CliResult back =
        RunCli({"export-gms", (dir / "many.zarvex").string(), (dir / "again.gms").string()});
    EXPECT_EQ(back.status, 0) << back.err;
    // Every item back, after the header the export puts first (a bool: no diff of megabytes).
    const std::string sent = ReadBytes(input);
    EXPECT_TRUE(ReadBytes(dir / "again.gms").ends_with(sent));
    fs::remove_all(dir);
}

}  // namespace
}  // namespace zarvex::testing
