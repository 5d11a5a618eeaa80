// Names that save-and-publish derives from what the user chose.
#pragma once

#include <string>
#include <string_view>

namespace zarvex {

// The page a preview stages into the preview folder, beside what it links.
inline constexpr const char* kPreviewPageName = "~preview.html";

// The project file a save writes for the name that was opened or chosen: that very
// name when it has an extension of any kind ("menu.bak" stays "menu.bak",
// "Upper.ZARVEX" stays as it is), else the name with ".zarvex" appended.
std::string ProjectFileName(std::string_view fileName);

// The base name of the page (base + ".html") and the report: the name without its
// last extension ("my.menu.zarvex" -> "my.menu"); a name without '.' stays whole.
// Only the last extension goes, so the base never names another design's files.
std::string PublishBaseName(std::string_view fileName);

// folder with a '/' appended unless it is empty or already ends in a separator.
std::string AsFolderPrefix(std::string folder);

// True when name, placed under a folder, stays inside it: relative, and no ".."
// part. Image names come from project files and are not trusted to.
bool StaysInsideFolder(std::string_view name);

}  // namespace zarvex
