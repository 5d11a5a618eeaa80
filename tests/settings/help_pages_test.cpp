#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "settings/help_pages.h"

namespace zarvex::settings {
namespace {

namespace fs = std::filesystem;

const fs::path kShippedHelp = fs::path(ZARVEX_TEST_DATA_DIR) / ".." / ".." / "data" / kHelpFolder;

std::string ReadText(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

std::vector<fs::path> ShippedPages() {
    std::vector<fs::path> pages;
    for (const auto& entry : fs::directory_iterator(kShippedHelp)) {
        const std::string ext = entry.path().extension().string();
        if (ext == ".htm" || ext == ".html")
            pages.push_back(entry.path());
    }
    return pages;
}

// The href and src targets of a page that point into the help folder, each as
// the file ("" for the page itself) and the fragment after '#' ("" for none).
std::vector<std::pair<std::string, std::string>> LocalLinks(const std::string& html) {
    std::vector<std::pair<std::string, std::string>> links;
    for (const std::string attr : {"href=\"", "src=\""}) {
        for (std::size_t at = html.find(attr); at != std::string::npos; at = html.find(attr, at)) {
            at += attr.size();
            const std::size_t end = html.find('"', at);
            const std::string target = html.substr(at, end - at);
            if (target.find(':') != std::string::npos || target.empty())
                continue;
            const std::size_t hash = target.find('#');
            links.emplace_back(target.substr(0, hash),
                               hash == std::string::npos ? "" : target.substr(hash + 1));
        }
    }
    return links;
}

bool HasAnchor(const std::string& html, const std::string& fragment) {
    return html.find("id=\"" + fragment + "\"") != std::string::npos ||
           html.find("name=\"" + fragment + "\"") != std::string::npos;
}

TEST(HelpPagesTest, TagsChooseTheirPageAndEveryOtherTagGettingStarted) {
    std::set<std::string> files;
    for (const ContextHelpPage& page : kContextHelpPages) {
        EXPECT_STREQ(HelpPageForTag(page.tag), page.file);
        files.insert(page.file);
    }
    EXPECT_EQ(files.size(), kContextHelpPages.size());
    for (int tag : {0, 12, kBorderHelpTag, -1})
        EXPECT_STREQ(HelpPageForTag(tag), "getting_started.htm") << tag;
}

TEST(HelpPagesTest, EveryPageTheProgramOpensIsShipped) {
    const std::vector<std::string> required = RequiredHelpPages();
    EXPECT_EQ(required.size(), 13u);
    for (const std::string& name : required) {
        const fs::path p = kShippedHelp / name;
        ASSERT_TRUE(fs::is_regular_file(p)) << p;
        const std::string html = ReadText(p);
        EXPECT_NE(html.find("<title>"), std::string::npos) << name;
        EXPECT_NE(html.find("<h1>"), std::string::npos) << name;
    }
}

TEST(HelpPagesTest, PagesAreLinkedTogetherAndEveryLinkLeadsToAShippedPageAndAnchor) {
    std::map<std::string, std::vector<std::string>> linksOf;
    for (const fs::path& page : ShippedPages()) {
        const std::string html = ReadText(page);
        EXPECT_EQ(html.find("<script"), std::string::npos) << page << ": no scripts in help";
        for (const auto& [file, fragment] : LocalLinks(html)) {
            const fs::path target = file.empty() ? page : page.parent_path() / file;
            ASSERT_TRUE(fs::is_regular_file(target)) << page << " -> " << file;
            if (!fragment.empty()) {
                EXPECT_TRUE(HasAnchor(ReadText(target), fragment))
                    << page << " -> " << file << "#" << fragment;
            }
            if (!file.empty())
                linksOf[page.filename().string()].push_back(file);
        }
        if (page.filename() != kHelpIndexPage) {
            const auto& links = linksOf[page.filename().string()];
            EXPECT_NE(std::find(links.begin(), links.end(), kHelpIndexPage), links.end())
                << page << " has no way back to the contents";
        }
    }

    std::set<std::string> reached = {kHelpIndexPage};
    std::vector<std::string> work = {kHelpIndexPage};
    while (!work.empty()) {
        const std::string page = work.back();
        work.pop_back();
        for (const std::string& target : linksOf[page])
            if (reached.insert(target).second)
                work.push_back(target);
    }
    for (const fs::path& page : ShippedPages())
        EXPECT_TRUE(reached.count(page.filename().string())) << page << " is not reachable";
}

// Each context page teaches the names the user sees in its group.
TEST(HelpPagesTest, ContextPagesUseTheCaptionsOnScreen) {
    const std::map<std::string, std::vector<std::string>> captions = {
        {"customizing_js_script_script_general.htm",
         {"General", "Name", "Type", "Horizontal", "Vertical"}},
        {"customizing_js_script_script_misc.htm",
         {"Misc.", "millisecond(s) before closing submenu(s).", "Show Tooltips", "Show Shadow",
          "Open submenu when clicking rather than hovering"}},
        {"customizing_js_script_style_padding.htm", {"Padding", "Left", "Top", "Bottom", "Right"}},
        {"customizing_js_script_style_font.htm", {"Font", "Size", "tahoma, verdana, sans-serif"}},
        {"customizing_js_script_style_cursor_zindex_icon.htm",
         {"Cursor, Z-Index and Icon", "Cursor", "Z-Index", "Icon Width", "Icon Height", "pointer",
          "url(uri)"}},
        {"customizing_js_item_general_text.htm",
         {"Text", "Set the Item as a Separator", "separator", "Item"}},
        {"customizing_js_item_general_icon.htm", {"Icon", "Icon Width", "Icon Height", ".gif"}},
        {"customizing_js_item_general_link.htm",
         {"URL", "Target", "_self", "_blank", "Important!", "Do not show this dialog again.",
          "file:///"}},
        {"customizing_js_item_general_info.htm", {"Tooltip", "Show Tooltips"}},
        {"customizing_js_script_path_path.htm",
         {"Path Replacement for Publishing", "Root Directory for Local Computer",
          "Root Directory for Web Server", "Test on Local Computer (Convert to Local Path)",
          "Upload to Web Server (Convert to Web Path)"}},
        {"published_menu_web_page.htm",
         {"Web Page", "The Menu on the Web Page", "Keyboard pattern", "Application menu bar",
          "Site navigation", "Collapse to a list", "When the bar does not fit", "Never",
          "Below a window width of", "Collapse width", "Mark the current page",
          "Show the list without scripts", "Open delay"}},
    };
    ASSERT_EQ(captions.size(), kContextHelpPages.size());
    for (const ContextHelpPage& page : kContextHelpPages) {
        const std::string html = ReadText(kShippedHelp / page.file);
        for (const std::string& caption : captions.at(page.file))
            EXPECT_NE(html.find(caption), std::string::npos) << page.file << ": " << caption;
    }
}

}  // namespace
}  // namespace zarvex::settings
