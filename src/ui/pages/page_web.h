// The Web Page page: how the published menu behaves on the web page (the keyboard
// pattern, when it collapses, the current page, the list without scripts, the open
// delay). Its values are the design's WebPageOptions, not fields of the menu's record,
// so the page reads and shows them as a whole.
#pragma once

#include <functional>

#include "model/web_page_options.h"

class QObject;
class QWidget;

namespace zarvex::ui {

// The help button of the page's group, and the tag that chooses its help page.
inline constexpr const char* kWebPageHelpButton = "SpeedButton29";
inline constexpr int kWebPageHelpTag = 11;

void BuildWebPage(QWidget* page);

// The choices as the page's controls show them.
WebPageOptions ReadWebPageControls(const QWidget* page);
// Puts the choices into the controls (which then report changes of their own).
void ShowWebPageControls(QWidget* page, const WebPageOptions& options);
// Calls `edited` after each change of a control, by the user or by the program.
void ConnectWebPageControls(QWidget* page, QObject* receiver, const std::function<void()>& edited);

}  // namespace zarvex::ui
