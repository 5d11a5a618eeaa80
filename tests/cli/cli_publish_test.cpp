#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "model/safe_file.h"
#include "support/cli_runner.h"
#include "support/files.h"
#include "support/scratch_folder.h"

namespace zarvex::testing {
namespace {

namespace fs = std::filesystem;
using ::testing::HasSubstr;
using ::testing::Not;
using ::testing::StartsWith;

const fs::path kDesigns = fs::path(ZARVEX_TEST_DATA_DIR) / "designs";
const fs::path kApp = ZARVEX_APP_DIR;
const std::vector<std::string> kDefaultImages{
    "arrowr.gif",   "arrowrh.gif", "sep.gif",      "scrollu.gif",  "scrolluh.gif",
    "scrollud.gif", "scrolld.gif", "scrolldh.gif", "scrolldd.gif", "shadow.png"};

class CliPublishTest : public ::testing::Test {
  protected:
    void SetUp() override { dir_ = FreshFolder("cli-publish"); }
    void TearDown() override { fs::remove_all(dir_); }

    // The design folder copied into the test's own folder, so a publish beside it
    // never touches the repository.
    fs::path CopyDesign(const std::string& design) {
        const fs::path to = dir_ / design;
        fs::copy(kDesigns / design, to, fs::copy_options::recursive);
        return to;
    }

    static std::vector<std::string> Sorted(std::vector<std::string> v) {
        std::sort(v.begin(), v.end());
        return v;
    }

    fs::path dir_;
};

TEST_F(CliPublishTest, AThreeLevelDesignWithIconsPublishesItsWholeFileSet) {
    const fs::path project = kDesigns / "three_levels" / "shop.zarvex";
    const fs::path out = dir_ / "site" / "menu";  // created, parents included
    const CliResult r = RunCli({"publish", project.string(), "--to", out.string()});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(r.out, "");

    std::vector<std::string> expected = kDefaultImages;
    expected.insert(expected.end(),
                    {"shop.html", "shop.zarvex", "shop_PublishReport.txt", "velmo.js",
                     "ShopMenucfg.js", "ShopMenu.css", "home.gif", "tool.gif", "hammer.gif"});
    EXPECT_EQ(Snapshot(out).size(), expected.size()) << "no folder or hidden file is left";
    EXPECT_EQ(FileNames(out), Sorted(expected));

    for (const char* icon : {"home.gif", "tool.gif", "hammer.gif"})
        EXPECT_EQ(ReadBytes(out / icon), ReadBytes(project.parent_path() / icon)) << icon;
    for (const std::string& image : kDefaultImages)
        EXPECT_EQ(ReadBytes(out / image), ReadBytes(kApp / image)) << image;
    EXPECT_EQ(ReadBytes(out / "velmo.js"), ReadBytes(kApp / "velmo.js"));

    // The page and the report are what the html and report commands give.
    const CliResult html = RunCli({"html", project.string()});
    const CliResult report = RunCli({"report", project.string()});
    ASSERT_EQ(html.status, 0) << html.err;
    ASSERT_EQ(report.status, 0) << report.err;
    EXPECT_EQ(ReadBytes(out / "shop.html"), html.out);
    EXPECT_EQ(ReadBytes(out / "shop_PublishReport.txt"), report.out);
    EXPECT_THAT(html.out, HasSubstr("<LINK href=\"./ShopMenu.css\""));
    EXPECT_THAT(report.out, HasSubstr("\r\n  hammer.gif\r\n"));

    // The published project opens again and builds the same page.
    const CliResult again = RunCli({"html", (out / "shop.zarvex").string()});
    EXPECT_EQ(again.out, html.out);
}

TEST_F(CliPublishTest, PublishesBesideTheProjectUnderItsOwnOrAChosenName) {
    const fs::path folder = CopyDesign("three_levels");
    ASSERT_EQ(RunCli({"publish", (folder / "shop.zarvex").string()}).status, 0);
    EXPECT_TRUE(fs::exists(folder / "shop.html"));
    EXPECT_TRUE(fs::exists(folder / "shop_PublishReport.txt"));

    const auto before = Snapshot(folder);
    const CliResult r =
        RunCli({"publish", (folder / "shop.zarvex").string(), "--name", "Top.ZARVEX"});
    ASSERT_EQ(r.status, 0) << r.err;
    const auto after = Snapshot(folder);
    EXPECT_EQ(after.size(), before.size() + 3);
    EXPECT_EQ(after.at("Top.ZARVEX"), before.at("shop.zarvex")) << "exactly the name chosen";
    EXPECT_EQ(after.at("Top.html"), before.at("shop.html"));
    EXPECT_TRUE(after.count("Top_PublishReport.txt"));
}

// Designs that share a folder keep their files: a publish that would replace
// another design's project file, page, stylesheet or script is refused before
// anything is written, unless --force says so.
TEST_F(CliPublishTest, FilesOfAnotherDesignAreReplacedOnlyWithForce) {
    const fs::path site = CopyDesign("three_levels");
    const std::string shop = (site / "shop.zarvex").string();
    ASSERT_EQ(RunCli({"publish", shop}).status, 0);
    ASSERT_EQ(RunCli({"publish", shop}).status, 0) << "its own files are the design's to replace";
    fs::create_directories(dir_ / "b");
    fs::copy_file(shop, dir_ / "b" / "other.zarvex");  // the same menu name
    const std::string other = (dir_ / "b" / "other.zarvex").string();

    struct Case {
        std::vector<std::string> args;
        std::string named;
    };
    const std::vector<Case> cases = {
        {{"publish", other, "--to", site.string()}, "ShopMenu.css"},
        {{"publish", shop, "--name", "other.2", "--to", (dir_ / "b").string()}, "other.html"},
        {{"publish", other, "--to", site.string(), "--name", "shop.zarvex"}, "shop.zarvex"},
    };
    WriteBytes(dir_ / "b" / "other.html", "the other design's page");
    const auto before = Snapshot(dir_);
    for (const Case& c : cases) {
        const CliResult r = RunCli(c.args);
        EXPECT_EQ(r.status, 1) << c.named;
        EXPECT_THAT(r.err, HasSubstr(c.named + ": belongs to another design")) << r.err;
        EXPECT_EQ(Snapshot(dir_), before) << c.named;
    }
    std::vector<std::string> forced = cases[0].args;
    forced.push_back("--force");
    const CliResult r = RunCli(forced);
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(fs::exists(site / "other.zarvex"));
}

// A file that is there but cannot be read is a failure with the system's reason,
// never "not found"; --strict names why each image fails.
TEST_F(CliPublishTest, AnImageThatCannotBeReadFailsThePublishWithTheReason) {
    const fs::path folder = CopyDesign("three_levels");
    fs::remove(folder / "home.gif");
    fs::create_directory(folder / "home.gif");
    const CliResult r =
        RunCli({"publish", (folder / "shop.zarvex").string(), "--to", (dir_ / "out").string()});
    EXPECT_EQ(r.status, 1);
    EXPECT_THAT(r.err, HasSubstr("home.gif: Is a directory"));
    EXPECT_THAT(r.err, Not(HasSubstr("not found")));
    EXPECT_FALSE(fs::exists(dir_ / "out"));

    // The subfolder of an icon is blocked by a file in the target.
    const fs::path design = CopyDesign("shared_and_missing_icons");
    fs::create_directories(dir_ / "blocked");
    WriteBytes(dir_ / "blocked" / "img", "a file");
    const CliResult blocked = RunCli(
        {"publish", (design / "icons.zarvex").string(), "--to", (dir_ / "blocked").string()});
    EXPECT_EQ(blocked.status, 1);
    EXPECT_THAT(blocked.err, HasSubstr((dir_ / "blocked" / "img").string() + ": "));
    EXPECT_EQ(FileNames(dir_ / "blocked"), std::vector<std::string>{"img"});

    std::string project = ReadBytes(design / "icons.zarvex");
    project.replace(project.find("nowhere.gif"), 11, "star.gif");
    WriteBytes(design / "icons.zarvex", project);
    const CliResult outside = RunCli({"publish", (design / "icons.zarvex").string(), "--to",
                                      (dir_ / "strict").string(), "--strict"});
    EXPECT_EQ(outside.status, 1);
    EXPECT_THAT(outside.err,
                HasSubstr("../three_levels/home.gif: lies outside the project folder\n"));
}

TEST_F(CliPublishTest, IconsArePublishedOnceIntoTheirSubfolderNeverFromOutsideMissingOnesWarn) {
    const fs::path design = kDesigns / "shared_and_missing_icons";
    const fs::path out = dir_ / "out";
    const std::string project = (design / "icons.zarvex").string();
    const CliResult strict = RunCli({"publish", project, "--to", out.string(), "--strict"});
    EXPECT_EQ(strict.status, 1);
    EXPECT_THAT(strict.err, HasSubstr("nowhere.gif: not found"));
    EXPECT_FALSE(fs::exists(out));

    const CliResult r = RunCli({"publish", project, "--to", out.string()});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_THAT(r.err, HasSubstr("warning: nowhere.gif not found\n"));
    EXPECT_THAT(r.err, HasSubstr("zarvex-cli: publish: '../three_levels/home.gif' lies outside the "
                                 "project folder and was not copied\n"));
    const auto files = FileNames(out);
    EXPECT_EQ(std::count(files.begin(), files.end(), "star.gif"), 1);
    EXPECT_EQ(std::count(files.begin(), files.end(), "nowhere.gif"), 0);
    EXPECT_EQ(std::count(files.begin(), files.end(), "scrollu.gif"), 0);
    EXPECT_EQ(ReadBytes(out / "img" / "dot.gif"), ReadBytes(design / "img" / "dot.gif"));
    EXPECT_FALSE(fs::exists(dir_ / "three_levels"));
    EXPECT_FALSE(fs::exists(out / "home.gif"));
    const std::string report = ReadBytes(out / "icons_PublishReport.txt");
    EXPECT_THAT(report, HasSubstr("  star.gif\r\n  nowhere.gif\r\n  img/dot.gif\r\n"
                                  "  ../three_levels/home.gif\r\n\r\n\r\n"));
}

TEST_F(CliPublishTest, ADesignWithoutItemsIsRefusedByPublishAsByHtml) {
    const fs::path project = kDesigns / "no_items" / "empty_menu.zarvex";
    const std::string refusal = "zarvex-cli: " + project.string() +
                                ": No item to build. Please add item to left pane and try again.\n";
    const CliResult html = RunCli({"html", project.string()});
    EXPECT_EQ(html.status, 1);
    EXPECT_EQ(html.out, "");
    EXPECT_EQ(html.err, refusal);

    const CliResult pub = RunCli({"publish", project.string(), "--to", (dir_ / "out").string()});
    EXPECT_EQ(pub.status, 1);
    EXPECT_EQ(pub.err, refusal);
    EXPECT_FALSE(fs::exists(dir_ / "out"));
}

TEST_F(CliPublishTest, LeavesTheProgramFolderAsItWas) {
    const auto before = Snapshot(kApp);
    ASSERT_EQ(RunCli({"publish", (kDesigns / "three_levels" / "shop.zarvex").string(), "--to",
                      (dir_ / "out").string()})
                  .status,
              0);
    ASSERT_EQ(RunCli({"report", (kDesigns / "three_levels" / "shop.zarvex").string()}).status, 0);
    EXPECT_EQ(Snapshot(kApp), before);
}

TEST_F(CliPublishTest, AFailedBuildLeavesAnEarlierPublishUntouched) {
    const fs::path out = dir_ / "out";
    ASSERT_EQ(RunCli({"publish", (kDesigns / "three_levels" / "shop.zarvex").string(), "--to",
                      out.string(), "--name", "bad"})
                  .status,
              0);
    const auto before = Snapshot(out);
    const fs::path broken =
        fs::path(ZARVEX_TEST_DATA_DIR) / "cli" / "broken" / "bad_border_style.zarvex";
    const CliResult r =
        RunCli({"publish", broken.string(), "--to", out.string(), "--name", "bad", "--force"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "zarvex-cli: " + broken.string() +
                         ":12: BorderStyle: 'solid' is not the number of a list entry (-1 to 9)\n");
    EXPECT_EQ(Snapshot(out), before);
}

TEST_F(CliPublishTest, ATargetThatCannotBeCreatedIsNamed) {
    WriteBytes(dir_ / "file.txt", "x");
    const fs::path target = dir_ / "file.txt" / "sub";
    const CliResult r = RunCli(
        {"publish", (kDesigns / "three_levels" / "shop.zarvex").string(), "--to", target.string()});
    EXPECT_EQ(r.status, 1);
    EXPECT_THAT(r.err, StartsWith("zarvex-cli: " + target.string() + ": "));
    EXPECT_EQ(Snapshot(dir_).size(), 1u);
}

// A project cut short by a save stopped part-way is refused, naming where the
// complete text that save was writing lies: beside it, or in the user's state
// folder when the project's folder takes no new file.
TEST_F(CliPublishTest, AProjectCutShortNamesTheCompleteTextOfTheStoppedSave) {
    const std::string whole = ReadBytes(kDesigns / "three_levels" / "shop.zarvex");
    const fs::path project = dir_ / "cut.zarvex";
    const char* const oldState = std::getenv("XDG_STATE_HOME");
    const std::string keptState = oldState ? oldState : "";
    ::setenv("XDG_STATE_HOME", (dir_ / "state").c_str(), 1);
    for (const bool beside : {true, false}) {
        SCOPED_TRACE(beside ? "beside" : "kept in the state folder");
        const pid_t writer = ::fork();
        if (writer == 0) {
            WriteFaults faults;
            faults.noNewFile = !beside;
            faults.killInPlaceAfter = static_cast<long long>(whole.size() / 2);
            if (beside)
                ::_exit(0);
            WriteFileSafely(project.string(), whole, &faults);
            ::_exit(0);
        }
        ::waitpid(writer, nullptr, 0);
        fs::path copy;
        if (beside) {
            char name[64];
            std::snprintf(name, sizeof name, ".cut.zarvex.~%lx-0",
                          static_cast<unsigned long>(writer));
            copy = dir_ / name;
            WriteBytes(project, whole.substr(0, whole.size() / 2));
            WriteBytes(copy, whole);
        } else {
            for (const auto& e : fs::directory_iterator(dir_ / "state" / "zarvex" / "kept"))
                if (e.path().extension() == ".new")
                    copy = e.path();
        }
        const CliResult r = RunCli({"html", project.string()});
        EXPECT_EQ(r.status, 1);
        EXPECT_THAT(r.err, StartsWith("zarvex-cli: " + project.string() + ":"));
        EXPECT_THAT(r.err,
                    HasSubstr("stopped part-way: the complete text it was writing lies in \"" +
                              copy.string() + "\""));
        WriteBytes(project, " ");
        fs::remove(copy);
    }
    if (oldState)
        ::setenv("XDG_STATE_HOME", keptState.c_str(), 1);
    else
        ::unsetenv("XDG_STATE_HOME");
}

// SIGINT, SIGTERM or SIGHUP end the tool as the signal does, with its scratch
// folder gone. The project is a pipe that nobody writes, so the tool is caught
// waiting with its scratch folder made.
TEST_F(CliPublishTest, ASignalEndsTheToolWithItsScratchFolderRemoved) {
    const fs::path fifo = dir_ / "waiting.zarvex";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    for (const int signal : {SIGINT, SIGTERM, SIGHUP}) {
        const fs::path tmp = dir_ / ("tmp" + std::to_string(signal));
        fs::create_directories(tmp);
        const pid_t child = ::fork();
        if (child == 0) {
            ::setenv("TMPDIR", tmp.c_str(), 1);
            ::execl(ZARVEX_CLI_PATH, ZARVEX_CLI_PATH, "publish", fifo.c_str(), "--to",
                    (dir_ / "out").c_str(), static_cast<char*>(nullptr));
            ::_exit(127);
        }
        for (int wait = 0; wait < 500 && fs::is_empty(tmp); ++wait)
            ::usleep(10000);
        ASSERT_FALSE(fs::is_empty(tmp)) << "the tool made no scratch folder";
        ::kill(child, signal);
        int status = 0;
        ::waitpid(child, &status, 0);
        EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == signal) << signal;
        EXPECT_TRUE(fs::is_empty(tmp)) << signal;
    }
}

}  // namespace
}  // namespace zarvex::testing
