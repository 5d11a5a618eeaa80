// The exchange commands end to end: a page's lists are offered, one becomes a
// project, and the project goes out as JSON that reads back to the same design;
// refusals name the file and write nothing.
#include <gtest/gtest.h>

#include <filesystem>

#include "support/cli_runner.h"
#include "support/files.h"
#include "support/scratch_folder.h"

namespace zarvex::testing {
namespace {

namespace fs = std::filesystem;

const fs::path kGolden = fs::path(ZARVEX_TEST_DATA_DIR) / "exchange" / "golden";

TEST(CliExchange, APageListsItsNavigationsAndOneBecomesAProject) {
    ScratchFolder dir("cli-exchange");
    const std::string page = (kGolden / "html-two-navs" / "page.html").string();
    const CliResult listed = RunCli({"import-html", page});
    ASSERT_EQ(listed.status, 0) << listed.err;
    EXPECT_EQ(listed.out, ReadBytes(kGolden / "html-two-navs" / "lists.txt"));
    EXPECT_TRUE(dir.Names().empty());

    const CliResult none =
        RunCli({"import-html", page, "--list", "3", "--to", dir.File("a.zarvex")});
    EXPECT_EQ(none.status, 1);
    EXPECT_NE(none.err.find("there is no list 3; the page holds 2"), std::string::npos);

    ASSERT_EQ(RunCli({"import-html", page, "--list=2", "--to", dir.File("legal.zarvex")}).status,
              0);
    const CliResult json = RunCli({"export", dir.File("legal.zarvex"), "--format", "json"});
    ASSERT_EQ(json.status, 0) << json.err;
    EXPECT_NE(json.out.find("\"text\": \"Terms\",\n      \"link\": \"/terms/\""), std::string::npos)
        << json.out;

    // JSON -> project -> JSON gives back the same bytes.
    WriteBytes(dir.File("legal.json"), json.out);
    ASSERT_EQ(
        RunCli({"import-json", dir.File("legal.json"), "--to", dir.File("again.zarvex")}).status,
        0);
    ASSERT_EQ(RunCli({"export", dir.File("again.zarvex"), "--format", "json", "--to",
                      dir.File("again.json")})
                  .status,
              0);
    EXPECT_EQ(ReadBytes(dir.File("again.json")), json.out);
}

TEST(CliExchange, RefusalsNameTheFileAndWriteNothing) {
    ScratchFolder dir("cli-exchange");
    WriteBytes(dir.File("bad.xml"), "<urlset>\n<url>\n</urlset>");
    const CliResult bad =
        RunCli({"import-sitemap", dir.File("bad.xml"), "--to", dir.File("s.zarvex")});
    EXPECT_EQ(bad.status, 1);
    EXPECT_NE(bad.err.find(dir.File("bad.xml") + ":3: not well-formed XML"), std::string::npos)
        << bad.err;
    const CliResult format = RunCli({"export", dir.File("s.zarvex"), "--format", "wiki"});
    EXPECT_EQ(format.status, 1);
    EXPECT_NE(format.err.find("unknown format 'wiki'"), std::string::npos);
    const CliResult noTo = RunCli({"import-json", dir.File("x.json")});
    EXPECT_NE(noTo.err.find("--to OUT.zarvex is missing"), std::string::npos);
    EXPECT_EQ(dir.Names(), std::vector<std::string>{"bad.xml"});
}

}  // namespace
}  // namespace zarvex::testing
