// Names that save-and-publish derives from what the user chose.
#pragma once

#include <string>
#include <string_view>

namespace zarvex {

// The base name of a chosen project file name: when it holds a '.', the text from
// the last '.' on is its extension, and every occurrence of that text (letter case
// ignored) is removed; otherwise the name stays as it is. "menu.ZARVEX" -> "menu".
std::string PublishBaseName(std::string_view fileName);

// folder with a '/' appended unless it is empty or already ends in a separator.
std::string AsFolderPrefix(std::string folder);

// True when name, placed under a folder, stays inside it: relative, and no ".."
// part. Image names come from project files and are not trusted to.
bool StaysInsideFolder(std::string_view name);

}  // namespace zarvex
