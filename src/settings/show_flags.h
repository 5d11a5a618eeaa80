// The "show this dialog" flags: whether the template picker is offered at start and
// whether the link tip comes before the link file dialog.
#pragma once

#include "settings/settings_store_interface.h"

namespace zarvex::settings {

enum class ShowFlag { TemplatePicker, LinkTip };

// "ShowTempletsDialog" or "ShowLinkTipDialog".
const char* ShowFlagName(ShowFlag flag);

// Absent gives true; a stored value gives its value; a store that cannot be read, or a
// value that is not an integer, gives false, so a broken store never keeps popping a
// dialog up.
bool ReadShowFlag(const ISettingsStore& store, ShowFlag flag);

// Writes the flag as 1 or 0. Turning a dialog off never fails for the user (a failure is
// ignored); turning it back on lets SettingsStoreError through, so the user learns that
// the choice was not kept.
void WriteShowFlag(ISettingsStore& store, ShowFlag flag, bool show);

}  // namespace zarvex::settings
