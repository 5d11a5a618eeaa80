// The rules that show a menu's list as plain nested links while no script has taken it
// over: a simple vertical list in the menu's font and colours.
#pragma once

#include <string>

#include "model/records.h"

namespace zarvex {

// Rules in the stylesheet's own layout, for the list with id menu.MenuName + "_ul".
std::string StaticListRules(const TAppletData& menu);

}  // namespace zarvex
