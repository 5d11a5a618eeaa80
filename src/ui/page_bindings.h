// Which control shows which field, as data: the pages' read and show operations walk
// these tables in order. Fields not listed are never touched by the pages.
#pragma once

#include <array>

#include "model/records.h"
#include "ui/control_binding.h"

namespace zarvex::ui {

struct BoundControl {
    const char* name = nullptr;  // the control's object name; null: no second control
    int mode = kPlainMode;
};

// A colour is bound as a pair: the panel is read first, then its "T" button, into the
// same field.
struct MenuFieldBinding {
    AppletField field;
    BoundControl first;
    BoundControl second{};
};

struct ItemFieldBinding {
    ItemField field;
    BoundControl control;
};

inline constexpr auto kMenuFieldBindings = std::to_array<MenuFieldBinding>({
    {AppletField::MenuName, {"edt_MenuName", kPlainMode}},
    {AppletField::Orientation, {"cmbx_Vertical", kPlainMode}},
    {AppletField::ShowTooltips, {"chkbx_Tooltips", kPlainMode}},
    {AppletField::ShowShadow, {"chkbx_ShadowsEnabled", kPlainMode}},
    {AppletField::ClickToOpen, {"chkbx_ClickToOpen", kPlainMode}},
    {AppletField::DelayClose, {"spnedt_DelayClose", kPlainMode}},
    {AppletField::BlinkTimes, {"spnedt_BlinkTimes", kPlainMode}},
    {AppletField::PaddingTop, {"spnedt_MenuPaddingTop", kPlainMode}},
    {AppletField::PaddingRight, {"spnedt_MenuPaddingRight", kPlainMode}},
    {AppletField::PaddingBottom, {"spnedt_MenuPaddingBottom", kPlainMode}},
    {AppletField::PaddingLeft, {"spnedt_MenuPaddingLeft", kPlainMode}},
    {AppletField::BorderWidth, {"spnedt_MainMenuBorderWidth", kPlainMode}},
    {AppletField::BorderStyle, {"cmbx_MainMenuBorderStyle", kPlainMode}},
    {AppletField::BorderColorTop,
     {"pnl_MainMenuBorderColorTop", kPlainMode},
     {"spdbtn_MainMenuBorderColorTop", kTransparentMode}},
    {AppletField::BorderColorRight,
     {"pnl_MainMenuBorderColorRight", kPlainMode},
     {"spdbtn_MainMenuBorderColorRight", kTransparentMode}},
    {AppletField::BorderColorBottom,
     {"pnl_MainMenuBorderColorBottom", kPlainMode},
     {"spdbtn_MainMenuBorderColorBottom", kTransparentMode}},
    {AppletField::BorderColorLeft,
     {"pnl_MainMenuBorderColorLeft", kPlainMode},
     {"spdbtn_MainMenuBorderColorLeft", kTransparentMode}},
    {AppletField::Cursor, {"cmbx_MenuCursor", kPlainMode}},
    {AppletField::TextColor,
     {"pnl_MenuTextColor", kPlainMode},
     {"spdbtn_MenuTextColor", kTransparentMode}},
    {AppletField::BackgroundColor,
     {"pnl_MenuBackgroundColor", kPlainMode},
     {"spdbtn_MenuBackgroundColor", kTransparentMode}},
    {AppletField::TextColorHover,
     {"pnl_MenuTextColorHover", kPlainMode},
     {"spdbtn_MenuTextColorHover", kTransparentMode}},
    {AppletField::BackgroundColorHover,
     {"pnl_MenuBackgroundColorHover", kPlainMode},
     {"spdbtn_MenuBackgroundColorHover", kTransparentMode}},
    {AppletField::TextColorActive,
     {"pnl_MenuTextColorActive", kPlainMode},
     {"spdbtn_MenuTextColorActive", kTransparentMode}},
    {AppletField::BackgroundColorActive,
     {"pnl_MenuBackgroundColorActive", kPlainMode},
     {"spdbtn_MenuBackgroundColorActive", kTransparentMode}},
    {AppletField::ZIndex, {"spnedt_MenuZindex", kPlainMode}},
    {AppletField::FontFamily, {"edt_MenuFontFamily", kPlainMode}},
    {AppletField::FontSize, {"spnedt_MenuFontSize", kPlainMode}},
    {AppletField::IconWidth, {"spnedt_MenuIconWidth", kPlainMode}},
    {AppletField::IconHeight, {"spnedt_MenuIconHeight", kPlainMode}},
    {AppletField::LocalRootDir, {"edt_InternalUse_RootDir_Local", kPlainMode}},
    {AppletField::RemoteRootDir, {"edt_InternalUse_RootDir_Remote", kPlainMode}},
    {AppletField::UseLocalPaths, {"rdbtn_InternalUse_RootDir_Local_Checked", kPlainMode}},
});

inline constexpr auto kItemFieldBindings = std::to_array<ItemFieldBinding>({
    {ItemField::Text, {"edt_Text", kPlainMode}},
    {ItemField::Icon, {"edt_Icon", kPlainMode}},
    {ItemField::Link, {"cmbx_Link", kTextMode}},
    {ItemField::Target, {"cmbx_Target", kTextMode}},
    {ItemField::ToolTip, {"edt_ToolTip", kPlainMode}},
});

// How a control reports the user's changes to the design.
enum class ChangeReport {
    Caption,  // marks the design changed; an item's text also renames its tree node
    Value,    // marks the design changed
};

struct ReportingControl {
    const char* name;
    ChangeReport report;
    bool checksText;  // the text is refused when it holds a separator or an unescaped quote
};

// The menu name and the font family are checked as the item texts are: a separator in
// them would break the project file, a quote the generated script. Every control reports
// the user's changes, so that no edit can be closed away unsaved. Not listed: the colour
// pairs, whose panel reports its click and whose "T" button reports its toggle.
inline constexpr auto kReportingControls = std::to_array<ReportingControl>({
    {"edt_MenuName", ChangeReport::Caption, true},
    {"edt_Text", ChangeReport::Caption, true},
    {"cmbx_Vertical", ChangeReport::Value, true},
    {"spnedt_DelayClose", ChangeReport::Value, false},
    {"spnedt_BlinkTimes", ChangeReport::Value, false},
    {"spnedt_MenuZindex", ChangeReport::Value, false},
    {"spnedt_MenuIconWidth", ChangeReport::Value, false},
    {"spnedt_MenuIconHeight", ChangeReport::Value, false},
    {"cmbx_Link", ChangeReport::Value, true},
    {"cmbx_Target", ChangeReport::Value, true},
    {"edt_ToolTip", ChangeReport::Value, true},
    {"edt_Icon", ChangeReport::Value, true},
    {"edt_InternalUse_RootDir_Local", ChangeReport::Value, true},
    {"edt_InternalUse_RootDir_Remote", ChangeReport::Value, true},
    {"edt_MenuFontFamily", ChangeReport::Value, true},
    {"chkbx_Tooltips", ChangeReport::Value, false},
    {"chkbx_ShadowsEnabled", ChangeReport::Value, false},
    {"chkbx_ClickToOpen", ChangeReport::Value, false},
    {"spnedt_MenuPaddingTop", ChangeReport::Value, false},
    {"spnedt_MenuPaddingRight", ChangeReport::Value, false},
    {"spnedt_MenuPaddingBottom", ChangeReport::Value, false},
    {"spnedt_MenuPaddingLeft", ChangeReport::Value, false},
    {"spnedt_MenuFontSize", ChangeReport::Value, false},
    {"cmbx_MenuCursor", ChangeReport::Value, false},
    {"spnedt_MainMenuBorderWidth", ChangeReport::Value, false},
    {"cmbx_MainMenuBorderStyle", ChangeReport::Value, false},
    {"rdbtn_InternalUse_RootDir_Local_Checked", ChangeReport::Value, false},
    {"rdbtn_InternalUse_RootDir_Remote_Checked", ChangeReport::Value, false},
});

}  // namespace zarvex::ui
