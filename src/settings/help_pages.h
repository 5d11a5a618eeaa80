// The pages of the "help" folder beside the program: the contents page, the getting
// started page and the context pages that the property pages' help buttons open.
#pragma once

#include <array>
#include <string>
#include <vector>

namespace zarvex::settings {

inline constexpr const char* kHelpFolder = "help";
inline constexpr const char* kHelpIndexPage = "index.html";
inline constexpr const char* kGettingStartedPage = "getting_started.htm";

// One help button of the property pages: its tag chooses the page.
struct ContextHelpPage {
    int tag;
    const char* button;  // object name of the help button
    const char* page;    // tab page the button sits on
    const char* group;   // caption of its group box ("" for the page as a whole)
    const char* file;    // file name in the help folder
};

inline constexpr std::array<ContextHelpPage, 11> kContextHelpPages = {{
    {1, "SpeedButton4", "Script", "General", "customizing_js_script_script_general.htm"},
    {2, "SpeedButton5", "Script", "Misc.", "customizing_js_script_script_misc.htm"},
    {3, "SpeedButton1", "Style", "Padding", "customizing_js_script_style_padding.htm"},
    {4, "SpeedButton7", "Style", "Font", "customizing_js_script_style_font.htm"},
    {5, "SpeedButton6", "Style", "Cursor, Z-Index and Icon",
     "customizing_js_script_style_cursor_zindex_icon.htm"},
    {6, "SpeedButton9", "Item", "Text", "customizing_js_item_general_text.htm"},
    {7, "SpeedButton2", "Item", "Icon", "customizing_js_item_general_icon.htm"},
    {8, "SpeedButton13", "Item", "Link", "customizing_js_item_general_link.htm"},
    {9, "SpeedButton14", "Item", "Info", "customizing_js_item_general_info.htm"},
    {10, "SpeedButton28", "Path", "Path Replacement for Publishing",
     "customizing_js_script_path_path.htm"},
    {11, "SpeedButton29", "Web Page", "The Menu on the Web Page", "published_menu_web_page.htm"},
}};

// The hidden "Border" group's help button carries this tag and is connected to nothing.
inline constexpr int kBorderHelpTag = 18;

// The file a help button with this tag opens; any tag without a page of its own opens
// the getting started page.
const char* HelpPageForTag(int tag);

// Every page the program opens by name, so each must be shipped in the help folder.
std::vector<std::string> RequiredHelpPages();

}  // namespace zarvex::settings
