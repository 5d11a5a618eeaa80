// The live preview's update in place: the new stylesheet, item list and configuration are
// put into the loaded page, and the runtime rebuilds the menu (destroy, then construct),
// so that the page keeps its scroll position and the web engine keeps the rest of its
// document (and its accessibility tree). The page is loaded afresh only when what it
// links changes.
#pragma once

#include <QString>
#include <string>

#include "codegen/built_menu.h"

namespace zarvex::ui {

// What the loaded page links and names: while it stays the same, an update in place
// gives the page a fresh load would give.
std::string PageSignature(const BuiltMenu& built);

// The script that swaps built, staged beside the loaded page (its page file named
// pageName), into that page; it evaluates to true when it did, false when the page is
// not one it can update or the files cannot be read (a fresh load is then due).
QString SwapScript(const BuiltMenu& built, const QString& pageName);

}  // namespace zarvex::ui
