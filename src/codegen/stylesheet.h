// The menu's stylesheet: a fixed template of 39 rules filled with the menu-wide
// style values. Nothing in it depends on the items, the orientation or the
// behaviour options.
#pragma once

#include <string>

#include "model/records.h"

namespace zarvex {

// The 39 rules, each "selector{" CR LF, its declaration lines, "}" CR LF CR LF.
// Values go in untrimmed and unescaped. Raises ConversionError when BorderStyle,
// Cursor or ZIndex is not a decimal integer.
std::string StylesheetRules(const TAppletData& menu);

// The whole file: the generated-code header, the rules and one more CR LF.
std::string StylesheetText(const TAppletData& menu);

// MenuName + ".css"
std::string StylesheetFileName(const TAppletData& menu);

}  // namespace zarvex
