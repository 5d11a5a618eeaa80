#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>

#include "golden_cases.h"
#include "model/errors.h"
#include "model/safe_file.h"
#include "publish/publish_fixture.h"

namespace zarvex::testing {
namespace {

namespace fs = std::filesystem;
using ::testing::ElementsAre;

const fs::path kReportCases = fs::path(ZARVEX_TEST_DATA_DIR) / ".." / "publish" / "data" / "report";

// Each case folder holds design.zarvex and the report a build of it must give.
class ReportGoldenTest : public PublishFixture,
                         public ::testing::WithParamInterface<std::string> {};

TEST_P(ReportGoldenTest, MatchesTheExpectedReport) {
    const fs::path dir = kReportCases / GetParam();
    agent_.LoadProjectFile((dir / "design.zarvex").string(), tree_);
    agent_.BuildCode((root_ / "page.html").string());
    agent_.WritePublishReport(project_.string() + "/", "PublishReport.txt");
    EXPECT_EQ(ReadFile(project_ / "PublishReport.txt"),
              ReadFile(dir / "expected_PublishReport.txt"));
}

INSTANTIATE_TEST_SUITE_P(Cases, ReportGoldenTest,
                         ::testing::ValuesIn(testing::GoldenCaseNames(kReportCases)),
                         [](const auto& info) { return info.param; });

using PublishReportTest = PublishFixture;

TEST_F(PublishReportTest, BeforeAnyBuildListsTheCreationNamesAndReportsProgress) {
    agent_.WritePublishReport(project_.string() + "/", "r.txt");
    const std::string text = ReadFile(project_ / "r.txt");
    EXPECT_NE(text.find("[Script file(s)]:\r\n  velmo.js\r\n  velmocfg_MyHoriMenu1.js\r\n"
                        "  NavTest.css\r\n\r\n"),
              std::string::npos);
    EXPECT_THAT(progress_.events, ElementsAre("max 101", "status Making Publish Report ... ...",
                                              "busy 1", "step 1", "step 1", "step 1", "step 50",
                                              "step 50", "pos 0", "status ", "busy 0"));
}

TEST_F(PublishReportTest, AnEmptyFolderMeansTheCurrentFolderAndASecondWriteReplacesTheFirst) {
    const fs::path before = fs::current_path();
    fs::current_path(project_);
    agent_.WritePublishReport("", "PublishReport.txt");
    const std::string first = ReadFile(project_ / "PublishReport.txt");
    agent_.LinkedFiles.pop_back();
    agent_.WritePublishReport("", "PublishReport.txt");
    fs::current_path(before);
    const std::string second = ReadFile(project_ / "PublishReport.txt");
    EXPECT_EQ(first.size() - second.size(), std::string("  NavTest.css\r\n").size());
    EXPECT_EQ(FilesIn(project_), (std::set<std::string>{"PublishReport.txt"}));
}

TEST_F(PublishReportTest, AFailedWriteKeepsThePreviousReportAndResetsProgress) {
    WriteFile(project_ / "r.txt", "previous");
    progress_.events.clear();
    WriteFaults fullDisk{600};
    agent_.SetWriteFaults(&fullDisk);
    EXPECT_THROW(agent_.WritePublishReport(project_.string() + "/", "r.txt"), FileIoError);
    agent_.SetWriteFaults(nullptr);
    EXPECT_EQ(ReadFile(project_ / "r.txt"), "previous");
    EXPECT_EQ(FilesIn(project_), (std::set<std::string>{"r.txt"}));
    ASSERT_FALSE(progress_.events.empty());
    EXPECT_EQ(progress_.events.back(), "busy 0");
}

}  // namespace
}  // namespace zarvex::testing
