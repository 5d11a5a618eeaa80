// The configuration script: starts the menu through Velmo.construct once the
// page has loaded, chaining any onload handler the page already had.
#pragma once

#include <string>

#include "model/records.h"

namespace zarvex {

// The 27 lines of the script, each ended by CR LF. Values go in verbatim; only
// ListId is quoted (in single quotes), the six options are bare literals.
std::string ConfigScriptText(const TAppletData& menu);

// MenuName + "cfg.js"
std::string ConfigScriptFileName(const TAppletData& menu);

}  // namespace zarvex
