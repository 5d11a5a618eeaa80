// Texts that must not reach the project file or the generated script unescaped: the
// project file's field separator and the quote characters that delimit the script's
// strings. The window asks here which warnings a field's text earns, and shows them.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace zarvex {

// The warnings for text, one per fault, in the order separator, apostrophe, double quote.
// Each sequence is judged on its first occurrence only: it passes when a backslash stands
// right before it and that backslash is the first one in the text. Texts are bytes; the
// sequences are ASCII, so UTF-8 and single-byte texts are judged alike.
// A text that only ever stands in a stylesheet may hold double quotes (allowDoubleQuote).
std::vector<std::string> ForbiddenTextMessages(std::string_view text, std::string_view separator,
                                               bool allowDoubleQuote = false);

// The menu name names the objects of the generated script and two generated files, so it
// must be a script identifier: ASCII letters, digits and underscores, not starting with a
// digit, and not empty.
inline constexpr std::string_view kMenuNameMessage =
    "The menu name can only hold letters, digits and underscores, and cannot start with a "
    "digit!";
bool IsValidMenuName(std::string_view name);

// A local path as a "file:///" address: every '\' becomes '/', every ':' becomes '|'. A path
// that already starts with '/' (a POSIX path) takes "file://" so that the address names the
// same file rather than one with an extra leading slash.
std::string PathToFileURL(std::string_view path);

}  // namespace zarvex
