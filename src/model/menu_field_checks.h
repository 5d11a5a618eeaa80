// The one check of the fields that reach the generated stylesheet, configuration
// script and page as something other than HTML: every menu-wide field, and an
// item's target and icon. A design from a file is checked as it is read, one from
// the command line's settings before it is used, and every design before it is
// built; a field is refused, never rewritten.
//
// Each field holds what the window's own control can hold, so a design that passes
// shows in the window exactly as stored. Item captions, links and tooltips are HTML
// by design and are not checked here.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "model/records.h"

namespace zarvex {

struct FieldFault {
    std::string field;    // the record field's name
    long long item = -1;  // 0-based item, or -1 for a menu-wide field
    std::string reason;   // a sentence that names the field and its value
};

std::optional<FieldFault> FindMenuFieldFault(const TAppletData& menu);
// item is the item's 0-based position, put into the fault.
std::optional<FieldFault> FindItemFieldFault(const TItemData& item, long long index);
// The menu's first fault, else the first item's.
std::optional<FieldFault> FindDesignFault(const TAppletData& menu, const TItemArray& items);

// BuildError "Cannot build the menu: <reason>." for the design's first fault.
void CheckDesignFields(const TAppletData& menu, const TItemArray& items);

// Refuses a design read from the file at path (FileFormatError) at its first fault,
// naming the line: menuLine for a menu-wide field (menu is null when the file holds
// none), firstItemLine + k for item k, the item lines following each other.
// itemFault is the first item's fault, found as the records were read (see ReadItemSection).
void RefuseFaultyDesign(const std::string& path, const TAppletData* menu, int menuLine,
                        const std::optional<FieldFault>& itemFault, int firstItemLine);

// The menu name's own rule, for the window to ask while the name is edited and
// before a build: empty when name is usable, else why not.
std::string MenuNameFault(std::string_view name);

// Words the script language keeps for itself (reserved in any mode, and the
// literals), and names the browser's window already holds.
bool IsReservedScriptWord(std::string_view word);
bool IsBrowserGlobalName(std::string_view name);

}  // namespace zarvex
