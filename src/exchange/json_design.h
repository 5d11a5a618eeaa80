// The design's JSON form (docs/design-json.md, docs/design.schema.json): the items
// as nested objects and, optionally, the menu fields. Written with a fixed key
// order and layout, so that JSON -> design -> JSON gives back the same bytes.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "exchange/imported_design.h"
#include "model/records.h"

namespace zarvex::exchange {

// The JSON key of a record field: its name with the first letter lower-cased.
std::string JsonKey(std::string_view fieldName);

// menu may be null: the text then carries the items alone.
std::string FormatDesignJson(const TItemArray& items, const std::vector<int>& treeLevels,
                             const TAppletData* menu);

// Parses and checks the whole text; FileFormatError naming path and the line (for
// text that is no JSON) or the place in the document ("items[2].items[0].text").
ImportedDesign ParseDesignJson(std::string_view text, const std::string& path);

}  // namespace zarvex::exchange
