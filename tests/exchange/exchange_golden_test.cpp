// Each folder under data/exchange/golden holds one input (page.html, sitemap.xml or
// input.json) and what it must give: design.json (the design in its JSON form),
// warnings.txt (one warning a line, the case folder left out of the paths) and,
// for a page, lists.txt (the lists offered for choosing). A page's "list" file
// names the list imported (default 1). Every expected design must also come back
// to its own bytes through JSON -> design -> JSON.
// ZARVEX_UPDATE_GOLDEN=1 rewrites the expected files from what the code gives.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "exchange/exchange_files.h"
#include "exchange/html_import.h"
#include "exchange/json_design.h"
#include "exchange/sitemap_import.h"
#include "golden_cases.h"
#include "support/files.h"

namespace zarvex::exchange {
namespace {

namespace fs = std::filesystem;
using zarvex::testing::ReadBytes;

const fs::path kGolden = fs::path(ZARVEX_TEST_DATA_DIR) / "exchange" / "golden";

std::string Lines(const std::vector<std::string>& lines, const std::string& dropPrefix) {
    std::string text;
    for (std::string line : lines) {
        for (std::size_t at = line.find(dropPrefix); at != std::string::npos;
             at = line.find(dropPrefix))
            line.erase(at, dropPrefix.size());
        text += line + "\n";
    }
    return text;
}

void Expect(const fs::path& file, const std::string& actual) {
    if (std::getenv("ZARVEX_UPDATE_GOLDEN")) {
        zarvex::testing::WriteBytes(file, actual);
        return;
    }
    EXPECT_EQ(actual, ReadBytes(file)) << file;
}

class ExchangeGolden : public ::testing::TestWithParam<std::string> {};

TEST_P(ExchangeGolden, ImportGivesTheExpectedDesign) {
    const fs::path folder = kGolden / GetParam();
    const std::string prefix = folder.string() + "/";
    ImportedDesign design;
    if (fs::exists(folder / "page.html")) {
        const std::string page = (folder / "page.html").string();
        std::vector<NavigationList> lists = FindNavigationLists(ReadImportFile(page), page);
        std::vector<std::string> choices;
        for (std::size_t i = 0; i < lists.size(); ++i)
            choices.push_back(ListChoice(lists[i], i + 1));
        Expect(folder / "lists.txt", Lines(choices, prefix));
        const std::string chosen = ReadBytes(folder / "list");
        const std::size_t n = chosen.empty() ? 1 : std::stoul(chosen);
        ASSERT_LE(n, lists.size());
        design = std::move(lists[n - 1].design);
    } else if (fs::exists(folder / "sitemap.xml")) {
        design = ImportSitemapFile((folder / "sitemap.xml").string());
    } else {
        design = ImportJsonFile((folder / "input.json").string());
    }
    const std::string json =
        FormatDesignJson(design.items, design.treeLevels, design.menu ? &*design.menu : nullptr);
    Expect(folder / "design.json", json);
    Expect(folder / "warnings.txt", Lines(design.warnings, prefix));

    const ImportedDesign again = ParseDesignJson(json, "design.json");
    EXPECT_EQ(again.items, design.items);
    EXPECT_EQ(again.treeLevels, design.treeLevels);
    EXPECT_EQ(FormatDesignJson(again.items, again.treeLevels, again.menu ? &*again.menu : nullptr),
              json);
}

INSTANTIATE_TEST_SUITE_P(Cases, ExchangeGolden,
                         ::testing::ValuesIn(zarvex::testing::GoldenCaseNames(kGolden)),
                         [](const auto& info) {
                             std::string name = info.param;
                             for (char& c : name)
                                 if (c == '-')
                                     c = '_';
                             return name;
                         });

}  // namespace
}  // namespace zarvex::exchange
