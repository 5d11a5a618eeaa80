// Which control shows which field, as data: the pages' read and show operations walk
// these tables in order. Fields not listed are never touched by the pages.
#pragma once

#include <array>

#include "model/records.h"
#include "ui/pages/control_binding.h"

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

// Which texts a control refuses; a refused text is emptied after a warning.
enum class TextCheck {
    None,
    Quotes,          // the project file's separator and unescaped quotes
    StylesheetOnly,  // as Quotes, but double quotes pass: the text only reaches the stylesheet
    MenuName,        // a script identifier (checked on the user's edits, not when shown)
};

struct ReportingControl {
    const char* name;
    ChangeReport report;
    TextCheck check;
};

// The menu name names the script's objects and files; the font family goes into the
// stylesheet alone, where a quoted family name is the usual form. Every control reports
// the user's changes, so that no edit can be closed away unsaved. Not listed: the colour
// pairs, whose panel reports its click and whose "T" button reports its toggle.
inline constexpr auto kReportingControls = std::to_array<ReportingControl>({
    {"edt_MenuName", ChangeReport::Caption, TextCheck::MenuName},
    {"edt_Text", ChangeReport::Caption, TextCheck::Quotes},
    {"cmbx_Vertical", ChangeReport::Value, TextCheck::Quotes},
    {"spnedt_DelayClose", ChangeReport::Value, TextCheck::None},
    {"spnedt_BlinkTimes", ChangeReport::Value, TextCheck::None},
    {"spnedt_MenuZindex", ChangeReport::Value, TextCheck::None},
    {"spnedt_MenuIconWidth", ChangeReport::Value, TextCheck::None},
    {"spnedt_MenuIconHeight", ChangeReport::Value, TextCheck::None},
    {"cmbx_Link", ChangeReport::Value, TextCheck::Quotes},
    {"cmbx_Target", ChangeReport::Value, TextCheck::Quotes},
    {"edt_ToolTip", ChangeReport::Value, TextCheck::Quotes},
    {"edt_Icon", ChangeReport::Value, TextCheck::Quotes},
    {"edt_InternalUse_RootDir_Local", ChangeReport::Value, TextCheck::Quotes},
    {"edt_InternalUse_RootDir_Remote", ChangeReport::Value, TextCheck::Quotes},
    {"edt_MenuFontFamily", ChangeReport::Value, TextCheck::StylesheetOnly},
    {"chkbx_Tooltips", ChangeReport::Value, TextCheck::None},
    {"chkbx_ShadowsEnabled", ChangeReport::Value, TextCheck::None},
    {"chkbx_ClickToOpen", ChangeReport::Value, TextCheck::None},
    {"spnedt_MenuPaddingTop", ChangeReport::Value, TextCheck::None},
    {"spnedt_MenuPaddingRight", ChangeReport::Value, TextCheck::None},
    {"spnedt_MenuPaddingBottom", ChangeReport::Value, TextCheck::None},
    {"spnedt_MenuPaddingLeft", ChangeReport::Value, TextCheck::None},
    {"spnedt_MenuFontSize", ChangeReport::Value, TextCheck::None},
    {"cmbx_MenuCursor", ChangeReport::Value, TextCheck::None},
    {"spnedt_MainMenuBorderWidth", ChangeReport::Value, TextCheck::None},
    {"cmbx_MainMenuBorderStyle", ChangeReport::Value, TextCheck::None},
    {"rdbtn_InternalUse_RootDir_Local_Checked", ChangeReport::Value, TextCheck::None},
    {"rdbtn_InternalUse_RootDir_Remote_Checked", ChangeReport::Value, TextCheck::None},
});

}  // namespace zarvex::ui
