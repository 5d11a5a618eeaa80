// Each generator's data is read back by a parser of its own format (toml++,
// yaml-cpp, nlohmann-json) and must give the design's tree: captions, links,
// targets and tool tips with quotes, backslashes and non-ASCII text intact.
#include <gtest/gtest.h>
#include <yaml-cpp/yaml.h>

#include <toml++/toml.h>
#include <nlohmann/json.hpp>

#include "exchange/exchange_files.h"
#include "exchange/site_generator_export.h"
#include "model/errors.h"
#include "support/files.h"
#include "support/scratch_folder.h"

namespace zarvex::exchange {
namespace {

struct Entry {
    std::string title, url, target, tip;
    std::vector<Entry> children;
    bool operator==(const Entry&) const = default;
};

TItemData Item(std::string text, std::string link, std::string target = "_self",
               std::string tip = "") {
    TItemData item = NewItemRecord();
    item.Text = std::move(text);
    item.Link = std::move(link);
    item.Target = std::move(target);
    item.ToolTip = std::move(tip);
    return item;
}

const TItemArray kItems = {
    Item("Home", "/"),
    Item("Quote \" and \\ back", "/a?b=\"c\"&d=\\e", "_blank", "Tip: 'single' \"double\""),
    Item("Café ☕ — über", "/caf%C3%A9/", "_self", "yes"),
    Item("Home", "/home-again"),
    Item("separator", ""),
    Item("# not a comment: [x] {y}", "#top"),
    Item("Level 4", "deep/4.html", "frame1"),
    Item("Level 5", "", "_self", "no link"),
    Item("Last", "last.html"),
};
const std::vector<int> kLevels = {1, 1, 2, 2, 2, 3, 4, 5, 1};

// The tree the data must hold: separators without children are left out.
std::vector<Entry> Expected() {
    std::vector<Entry> top;
    std::vector<std::vector<Entry>*> open{&top};
    for (std::size_t i = 0; i < kItems.size(); ++i) {
        open.resize(static_cast<std::size_t>(kLevels[i]));
        const bool leaf = i + 1 == kItems.size() || kLevels[i + 1] <= kLevels[i];
        if (IsSeparatorText(kItems[i].Text) && leaf)
            continue;
        const std::string target = kItems[i].Target == "_self" ? "" : kItems[i].Target;
        open.back()->push_back({kItems[i].Text, kItems[i].Link, target, kItems[i].ToolTip, {}});
        open.push_back(&open.back()->back().children);
    }
    return top;
}

std::vector<Entry> FromYamlList(const YAML::Node& list) {
    std::vector<Entry> out;
    for (const YAML::Node& n : list) {
        Entry e{n["title"].as<std::string>(), n["url"].as<std::string>(),
                n["target"] ? n["target"].as<std::string>() : "",
                n["description"] ? n["description"].as<std::string>() : "",
                n["children"] ? FromYamlList(n["children"]) : std::vector<Entry>{}};
        out.push_back(std::move(e));
    }
    return out;
}

std::vector<Entry> FromJsonList(const nlohmann::json& list) {
    std::vector<Entry> out;
    for (const auto& n : list)
        out.push_back(
            {n.at("title").get<std::string>(), n.at("url").get<std::string>(),
             n.value("target", ""), n.value("description", ""),
             n.contains("children") ? FromJsonList(n["children"]) : std::vector<Entry>{}});
    return out;
}

// Hugo's flat entries rebuilt into a tree through parent and weight.
struct HugoEntry {
    std::string id, parent, name, url, title, target;
    long long weight;
};

std::vector<Entry> HugoTree(const std::vector<HugoEntry>& flat, const std::string& parent) {
    std::vector<const HugoEntry*> mine;
    for (const HugoEntry& e : flat)
        if (e.parent == parent)
            mine.push_back(&e);
    std::stable_sort(mine.begin(), mine.end(),
                     [](const HugoEntry* a, const HugoEntry* b) { return a->weight < b->weight; });
    std::vector<Entry> out;
    for (const HugoEntry* e : mine)
        out.push_back({e->name, e->url, e->target, e->title, HugoTree(flat, e->id)});
    return out;
}

std::vector<HugoEntry> CheckIds(std::vector<HugoEntry> flat) {
    std::set<std::string> ids;
    for (const HugoEntry& e : flat)
        EXPECT_TRUE(ids.insert(e.id).second) << "identifier " << e.id << " twice";
    return flat;
}

TEST(SiteGeneratorExport, HugoTomlReadsBackAsTheTree) {
    const std::string text = FormatSiteGeneratorData(SiteGenerator::HugoToml, kItems, kLevels);
    const toml::table doc = toml::parse(text);
    std::vector<HugoEntry> flat;
    for (const toml::node& n : *doc["menus"]["main"].as_array()) {
        const toml::table& t = *n.as_table();
        flat.push_back({t["identifier"].value_or(""), t["parent"].value_or(""),
                        t["name"].value_or(""), t["url"].value_or(""), t["title"].value_or(""),
                        t["params"]["target"].value_or(""), t["weight"].value_or(0LL)});
    }
    EXPECT_EQ(HugoTree(CheckIds(flat), ""), Expected()) << text;
}

TEST(SiteGeneratorExport, HugoYamlReadsBackAsTheTree) {
    const std::string text = FormatSiteGeneratorData(SiteGenerator::HugoYaml, kItems, kLevels);
    const YAML::Node doc = YAML::Load(text);
    std::vector<HugoEntry> flat;
    for (const YAML::Node& n : doc["menus"]["main"]) {
        const auto text = [&](const char* key) {
            return n[key] ? n[key].as<std::string>() : std::string();
        };
        flat.push_back({text("identifier"), text("parent"), text("name"), text("url"),
                        text("title"), n["params"] ? n["params"]["target"].as<std::string>() : "",
                        n["weight"].as<long long>()});
    }
    EXPECT_EQ(HugoTree(CheckIds(flat), ""), Expected()) << text;
}

TEST(SiteGeneratorExport, JekyllAndEleventyReadBackAsTheTree) {
    const std::string jekyll = FormatSiteGeneratorData(SiteGenerator::Jekyll, kItems, kLevels);
    EXPECT_EQ(FromYamlList(YAML::Load(jekyll)), Expected()) << jekyll;
    const std::string eleventy = FormatSiteGeneratorData(SiteGenerator::Eleventy, kItems, kLevels);
    EXPECT_EQ(FromJsonList(nlohmann::json::parse(eleventy)), Expected()) << eleventy;
}

TEST(SiteGeneratorExport, AnEmptyDesignGivesEmptyData) {
    for (SiteGenerator g : {SiteGenerator::HugoToml, SiteGenerator::HugoYaml, SiteGenerator::Jekyll,
                            SiteGenerator::Eleventy}) {
        const std::string text = FormatSiteGeneratorData(g, {}, {});
        if (g == SiteGenerator::Eleventy)
            EXPECT_TRUE(nlohmann::json::parse(text).empty());
        else if (g == SiteGenerator::HugoToml)
            EXPECT_TRUE(toml::parse(text).empty());
        else
            EXPECT_NO_THROW(YAML::Load(text));
    }
}

// A full disk or a refused file leaves the previous export as it was.
TEST(SiteGeneratorExport, AFailedWriteKeepsThePreviousFile) {
    zarvex::testing::ScratchFolder folder("export");
    const std::string path = folder.File("navigation.yml");
    zarvex::testing::WriteBytes(path, "previous\n");
    const std::string text = FormatSiteGeneratorData(SiteGenerator::Jekyll, kItems, kLevels);
    WriteFaults fullDisk(10);
    EXPECT_THROW(WriteExportFile(path, text, &fullDisk), FileIoError);
    WriteFaults refused(-1, "navigation.yml");
    EXPECT_THROW(WriteExportFile(path, text, &refused), FileIoError);
    EXPECT_EQ(zarvex::testing::ReadBytes(path), "previous\n");
    EXPECT_EQ(folder.Names(), std::vector<std::string>{"navigation.yml"});
    WriteExportFile(path, text);
    EXPECT_EQ(zarvex::testing::ReadBytes(path), text);
}

}  // namespace
}  // namespace zarvex::exchange
