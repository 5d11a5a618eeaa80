// The names a web page's window already holds (its properties and methods, those
// of its prototypes, the script language's globals), sorted by byte. A menu's
// script that took one of them would break the page or navigate it away
// ("location", "name", "top"...). The table is generated from the browser by
// tools/make_browser_globals.mjs; the browser suite checks it is complete.
#pragma once

#include <span>
#include <string_view>

namespace zarvex {

extern const std::span<const std::string_view> kBrowserGlobalNames;

}  // namespace zarvex
