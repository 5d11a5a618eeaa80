// File primitives of staging and publishing. Their failures are silent by
// contract: a copy or delete that cannot be done is reported by the return value
// only, and the caller carries on with its next step.
#pragma once

#include <string>
#include <string_view>

#include "model/file_helpers.h"

namespace zarvex {

// Copies from over to in a scratch folder (the staging): the copy replaces the
// previous file whole, so a failed copy leaves it intact; false when it failed.
bool CopyFileReplacing(const std::string& from, const std::string& to);

// Deletes a file (never a folder); false when nothing was deleted.
bool DeleteFileQuietly(const std::string& path);

bool IsExistingFile(const std::string& path);

// True when a and b name the same folder (lexically, or the same folder on disk).
bool IsSameFolder(const std::string& a, const std::string& b);

}  // namespace zarvex
