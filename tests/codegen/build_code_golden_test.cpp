// One folder per case under data/golden: the design (design.zarvex, and
// linked_files.txt where the case replaces the linked file list) and the files a
// build must produce, byte for byte. ZARVEX_UPDATE_GOLDEN=1 rewrites the expected
// files from the current output; review the difference before keeping it. A design
// that must be refused expects refused.txt instead: the message, its folder left out.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <set>

#include "codegen_test_helpers.h"
#include "golden_cases.h"
#include "model/file_helpers.h"
#include "model/safe_file.h"
#include "model/text_util.h"

namespace zarvex {
namespace {

namespace fs = std::filesystem;
using testing::FilesIn;
using testing::ScratchFolder;

const fs::path kGoldenFolder = fs::path(ZARVEX_TEST_DATA_DIR) / "golden";
const std::set<std::string> kInputFiles = {"design.zarvex", "linked_files.txt"};
constexpr const char* kPageName = "page.html";

bool UpdatingGolden() {
    const char* v = std::getenv("ZARVEX_UPDATE_GOLDEN");
    return v && std::string(v) == "1";
}

// Lines "FileName#$@FileType#$@DeleteAfterCopy#$@".
TLinkedFileInfoArray ReadLinkedFiles(const std::string& path) {
    TLinkedFileInfoArray files;
    std::string text = ReadWholeFile(path);
    std::size_t pos = 0;
    while (pos < text.size()) {
        std::size_t end = text.find("\r\n", pos);
        if (end == std::string::npos)
            end = text.size();
        std::string_view line(text.data() + pos, end - pos);
        pos = end + 2;
        std::string fields[3];
        for (auto& f : fields) {
            const std::size_t sep = line.find("#$@");
            f = std::string(line.substr(0, sep));
            line.remove_prefix(sep == std::string_view::npos ? line.size() : sep + 3);
        }
        files.push_back({fields[0], fields[1], static_cast<std::uint8_t>(StrToInt(fields[2]))});
    }
    return files;
}

// The produced files: the program folder's content and the page.
std::map<std::string, std::string> BuildCase(const fs::path& caseFolder,
                                             const ScratchFolder& scratch) {
    testing::BuildFixture fx(scratch);
    try {
        fx.agent.LoadProjectFile((caseFolder / "design.zarvex").string(), fx.tree);
        if (fs::exists(caseFolder / "linked_files.txt"))
            fx.agent.LinkedFiles = ReadLinkedFiles((caseFolder / "linked_files.txt").string());
        fx.agent.BuildCode(scratch.File(kPageName));
    } catch (const std::exception& e) {
        std::string message = e.what();
        const std::string folder = (caseFolder / "").string();
        if (message.rfind(folder, 0) == 0)
            message.erase(0, folder.size());
        return {{"refused.txt", message + "\n"}};
    }
    auto produced = FilesIn(fx.programFolder);
    produced[kPageName] = ReadWholeFile(scratch.File(kPageName));
    return produced;
}

std::map<std::string, std::string> ExpectedFiles(const fs::path& caseFolder) {
    auto files = FilesIn(caseFolder);
    for (const auto& input : kInputFiles)
        files.erase(input);
    return files;
}

class GoldenBuild : public ::testing::TestWithParam<std::string> {};

TEST_P(GoldenBuild, ProducesTheExpectedFilesByteForByte) {
    const fs::path caseFolder = kGoldenFolder / GetParam();
    ScratchFolder scratch("golden");
    const auto produced = BuildCase(caseFolder, scratch);

    if (UpdatingGolden()) {
        for (const auto& [name, bytes] : ExpectedFiles(caseFolder))
            fs::remove(caseFolder / name);
        for (const auto& [name, bytes] : produced)
            WriteFileSafely((caseFolder / name).string(), bytes);
        GTEST_SKIP() << "expected files rewritten for " << GetParam();
    }

    const auto expected = ExpectedFiles(caseFolder);
    std::set<std::string> expectedNames, producedNames;
    for (const auto& [name, bytes] : expected)
        expectedNames.insert(name);
    for (const auto& [name, bytes] : produced)
        producedNames.insert(name);
    ASSERT_EQ(producedNames, expectedNames);
    for (const auto& [name, bytes] : expected)
        EXPECT_EQ(produced.at(name), bytes) << "in " << name;
}

INSTANTIATE_TEST_SUITE_P(Cases, GoldenBuild,
                         ::testing::ValuesIn(testing::GoldenCaseNames(kGoldenFolder)),
                         [](const auto& info) { return info.param; });

}  // namespace
}  // namespace zarvex
