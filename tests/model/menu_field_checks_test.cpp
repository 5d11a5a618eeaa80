// The field check accepts everything the window's controls can hold, and nothing
// that could leave its place in the stylesheet, the script or the page.
#include <gtest/gtest.h>

#include "model/browser_global_names.h"
#include "model/errors.h"
#include "model/menu_field_checks.h"

namespace zarvex {
namespace {

struct Value {
    AppletField field;
    std::string text;
};

std::optional<FieldFault> FaultWith(const Value& v) {
    TAppletData menu = DefaultAppletData();
    Field(menu, v.field) = v.text;
    return FindMenuFieldFault(menu);
}

TEST(MenuFieldChecks, EveryValueTheWindowCanHoldPasses) {
    using F = AppletField;
    const Value accepted[] = {
        {F::MenuName, "_m"},
        {F::MenuName, "Menu_2"},
        {F::MenuName, "initMenu"},
        {F::MenuName, std::string(249, 'm')},
        {F::ListId, ""},
        {F::ListId, "MyMenu1_ul"},
        {F::Orientation, "-1"},
        {F::Orientation, "1"},
        {F::ShowShadow, "0"},
        {F::UseLocalPaths, "1"},
        {F::DelayClose, "-9999"},
        {F::DelayClose, "9999"},
        {F::DelayClose, "0"},
        {F::ZIndex, "-9999"},
        {F::PaddingTop, "0"},
        {F::FontSize, "1"},
        {F::IconHeight, "9999"},
        {F::BorderStyle, "9"},
        {F::Cursor, "24"},
        {F::Cursor, "-1"},
        {F::TextColor, "a0b1C2"},
        {F::BackgroundColor, "TRANSPARENT"},
        {F::BorderColorTop, "Transparent"},
        {F::FontFamily, ""},
        {F::FontFamily, "\"Trebuchet MS\", serif"},
        {F::FontFamily, "'Segoe UI',Tahoma , sans-serif"},
        {F::FontFamily, "Noto Sans CJK-JP, \xE5\xAE\x8B\xE4\xBD\x93"},
        {F::LocalRootDir, "C:\\site"},
        {F::RemoteRootDir, "http://x/\"q\""},
        {F::ArrowImage, ""},
    };
    for (const Value& v : accepted)
        EXPECT_FALSE(FaultWith(v)) << kAppletFields[static_cast<std::size_t>(v.field)].name << " '"
                                   << v.text << "': " << FaultWith(v)->reason;
}

TEST(MenuFieldChecks, ValuesThatCouldLeaveTheirPlaceAreRefusedByName) {
    using F = AppletField;
    const Value refused[] = {
        {F::MenuName, ""},
        {F::MenuName, "1st"},
        {F::MenuName, "M\xC3\xA9nu"},
        {F::MenuName, std::string(250, 'm')},
        {F::MenuName, "new"},
        {F::MenuName, "yield"},
        {F::MenuName, "name"},
        {F::MenuName, "status"},
        {F::MenuName, "BeAb"},
        {F::ListId, "x' + alert(1) + '"},
        {F::Orientation, "2"},
        {F::Orientation, " 0"},
        {F::ShowTooltips, ""},
        {F::DelayClose, "+5"},
        {F::DelayClose, "-0"},
        {F::DelayClose, "1e3"},
        {F::BlinkTimes, "99999999999"},
        {F::ZIndex, "10000"},
        {F::FontSize, "0"},
        {F::BorderStyle, "10"},
        {F::Cursor, "25"},
        {F::TextColor, "#000000"},
        {F::TextColor, "00000"},
        {F::BackgroundColor, "000000;x:y"},
        {F::FontFamily, "a, b,"},
        {F::FontFamily, "\"a"},
        {F::FontFamily, "a</style><script>"},
        {F::FontFamily, "a\\;b"},
        {F::FontFamily, "\"a\"b\""},
        {F::FontFamily, "Arial, 9pt"},
        {F::UseLocalPaths, ""},
        {F::LocalRootDir, "C:\\a\rb"},
    };
    for (const Value& v : refused) {
        const auto fault = FaultWith(v);
        const std::string_view name = kAppletFields[static_cast<std::size_t>(v.field)].name;
        ASSERT_TRUE(fault) << name << " '" << v.text << "'";
        EXPECT_EQ(fault->field, name);
        EXPECT_EQ(fault->item, -1);
        EXPECT_EQ(fault->reason.rfind(std::string(name) + ": '" + v.text + "' ", 0), 0u)
            << fault->reason;
    }
}

TEST(MenuFieldChecks, ItemTargetsAndIconsStayInsideTheirAttribute) {
    TItemArray items(3, NewItemRecord());
    for (const char* target : {"_self", "_BLANK", "_search", "", "content", "frame 2"}) {
        items[2].Target = target;
        EXPECT_FALSE(FindDesignFault(DefaultAppletData(), items)) << target;
    }
    for (const char* target : {"_new", "a\"b", "a<b", "it's"}) {
        items[2].Target = target;
        const auto fault = FindDesignFault(DefaultAppletData(), items);
        ASSERT_TRUE(fault) << target;
        EXPECT_EQ(fault->field, "Target");
        EXPECT_EQ(fault->item, 2);
    }
    items[2].Target = "_top";
    items[1].Icon = "img/a b.gif";
    EXPECT_FALSE(FindDesignFault(DefaultAppletData(), items));
    items[1].Icon = "a.gif\" onerror=\"x";
    EXPECT_EQ(FindDesignFault(DefaultAppletData(), items)->field, "Icon");
    EXPECT_THROW(CheckDesignFields(DefaultAppletData(), items), BuildError);
}

TEST(MenuFieldChecks, TheBrowserTableIsSortedForItsSearch) {
    ASSERT_GT(kBrowserGlobalNames.size(), 500u);
    EXPECT_TRUE(std::is_sorted(kBrowserGlobalNames.begin(), kBrowserGlobalNames.end()));
    for (const char* name : {"location", "top", "parent", "self", "opener", "history", "document",
                             "alert", "close", "open", "print", "stop", "undefined", "toString"})
        EXPECT_TRUE(IsBrowserGlobalName(name)) << name;
}

}  // namespace
}  // namespace zarvex
