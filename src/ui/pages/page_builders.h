// The four property pages' controls and layout. Each builder fills an empty page with
// its groups, labels, lists, hints and notes and names every control by its control
// name; the binding and the change reports find them by those names.
#pragma once

class QWidget;

namespace zarvex::ui {

class IDialogService;

// The Style page's check box that gives the border one colour on all four sides.
inline constexpr const char* kSameBorderColorsControl = "chkbx_MainMenuBorderColorSame";

void BuildScriptPage(QWidget* page);
void BuildStylePage(QWidget* page, IDialogService& dialogs);
void BuildItemPage(QWidget* page);
void BuildPathPage(QWidget* page);

}  // namespace zarvex::ui
