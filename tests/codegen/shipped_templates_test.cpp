// The shipped templates, as an author meets them: readable colours (WCAG AA, 4.5:1,
// for the normal, hover and active text), text and icons of a usable size, texts
// the editor accepts, tooltips only where the editor can change them, and every
// image they name lying beside them.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>

#include "model/forbidden_text.h"
#include "model/preorder_tree.h"
#include "model/tagged_text.h"
#include "model/text_util.h"
#include "publish/applet_agent.h"

namespace zarvex {
namespace {

namespace fs = std::filesystem;

const fs::path kTemplates = fs::path(ZARVEX_TEST_DATA_DIR) / ".." / ".." / "data" / "templates";

double Luminance(const std::string& rrggbb) {
    double sum = 0;
    const double weights[] = {0.2126, 0.7152, 0.0722};
    for (int i = 0; i < 3; ++i) {
        const double v = std::stoi(rrggbb.substr(2 * i, 2), nullptr, 16) / 255.0;
        sum += weights[i] * (v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4));
    }
    return sum;
}

double Contrast(const std::string& a, const std::string& b) {
    const double la = Luminance(a), lb = Luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

TEST(ContrastTest, MatchesKnownRatios) {
    EXPECT_NEAR(Contrast("000000", "FFFFFF"), 21.0, 1e-9);
    EXPECT_NEAR(Contrast("777777", "FFFFFF"), 4.48, 0.01);  // the classic near miss
    EXPECT_NEAR(Contrast("316AC5", "FFFFFF"), 5.25, 0.01);
}

std::vector<fs::path> TemplateFiles() {
    std::vector<fs::path> files;
    for (const auto& entry : fs::recursive_directory_iterator(kTemplates))
        if (entry.path().extension() == ".zarvex")
            files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    return files;
}

TEST(ShippedTemplates, AreReadableUsableAndCarryTheirOwnImages) {
    const auto files = TemplateFiles();
    ASSERT_GE(files.size(), 8u);
    int vertical = 0, clickToOpen = 0, withIcons = 0, long_ = 0, light = 0, dark = 0;
    for (const fs::path& file : files) {
        SCOPED_TRACE(file.filename().string());
        TkavoAppletAgent agent;
        PreorderTree tree;
        agent.ResetToDefaults();
        agent.LoadProjectFile(file.string(), tree);
        const TAppletData& m = agent.MenuParameters;
        const fs::path folder = file.parent_path();

        for (auto [text, back] : {std::pair{m.TextColor, m.BackgroundColor},
                                  {m.TextColorHover, m.BackgroundColorHover},
                                  {m.TextColorActive, m.BackgroundColorActive}}) {
            ASSERT_EQ(text.size(), 6u) << text;
            ASSERT_EQ(back.size(), 6u) << back;
            EXPECT_GE(Contrast(text, back), 4.5) << text << " on " << back;
        }
        EXPECT_GE(StrToInt(m.FontSize), 15);
        EXPECT_LE(StrToInt(m.FontSize), 16);
        EXPECT_GE(StrToInt(m.IconWidth), 16);
        EXPECT_GE(StrToInt(m.IconHeight), 16);
        EXPECT_TRUE(m.FontFamily.ends_with("serif"))
            << "a system font stack ending in its generic family: " << m.FontFamily;
        EXPECT_TRUE(ForbiddenTextMessages(m.FontFamily, kFieldSeparator).empty());
        for (const std::string& image : {m.ArrowImage, m.ArrowImageHover, m.SeparatorImage,
                                         m.ScrollUpImage, m.ScrollDownImageHover})
            EXPECT_TRUE(fs::is_regular_file(folder / image)) << image;

        bool icons = false;
        for (const TItemData& item : agent.Items) {
            SCOPED_TRACE(item.Text);
            for (const FieldText* text : {&item.Text, &item.Link, &item.ToolTip, &item.Icon})
                EXPECT_TRUE(ForbiddenTextMessages(*text, kFieldSeparator).empty()) << *text;
            if (item.Level == "0") {
                EXPECT_EQ(item.ToolTip, "") << "the editor has no tooltip for a top-level item";
            }
            EXPECT_TRUE(item.Link.empty() || item.Link.front() == '#') << item.Link;
            if (!Trim(item.Icon).empty()) {
                icons = true;
                EXPECT_TRUE(fs::is_regular_file(folder / item.Icon.view())) << item.Icon;
            }
        }
        vertical += m.Orientation == "1";
        light += m.Orientation == "0" && Luminance(m.BackgroundColor) > 0.8;
        dark += m.Orientation == "0" && Luminance(m.BackgroundColor) < 0.05;
        clickToOpen += m.ClickToOpen == "1";
        withIcons += icons;
        long_ += agent.Items.size() >= 300;
    }
    EXPECT_GE(vertical, 1);
    EXPECT_GE(clickToOpen, 1);
    EXPECT_GE(withIcons, 1);
    EXPECT_GE(long_, 1);
    EXPECT_GE(light, 1);
    EXPECT_GE(dark, 1);
}

}  // namespace
}  // namespace zarvex
