// The project file (*.zarvex): the menu parameter record and one line per item
// between tagged sections. AppletDesign::SaveProjectFile / LoadProjectFile
// are built on these two functions; the fuzzer and the tests call them directly.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "model/progress.h"
#include "model/records.h"
#include "model/web_page_options.h"

namespace zarvex {

inline constexpr std::string_view kProjectRefusedMessage =
    "This file wasn't saved by Zarvex 1.0, open failed!";

// A project file that was read whole and checked; nothing in it is yet applied.
struct ProjectFileContent {
    TAppletData parameters;
    TItemArray items;
    std::string version;
    std::vector<int> treeLevels;  // per item, its node's tree level (Level + 1)
    WebPageOptions webPage;
};

// Parses and checks a whole project file held in memory; FileFormatError (naming
// path) when it is refused. onItemsFound runs once the item section was found,
// where the loader starts showing progress.
ProjectFileContent ParseProjectText(std::string_view text, const std::string& path,
                                    const std::function<void()>& onItemsFound = {});

// The file's text for a design. Advances progress as saving counts it: 10 for the
// header, 5 for the parameter section, 1 per item field; the whole count is
// ProjectProgressMax(items.size()). BuildError when a field holds the separator
// or a line break, which would read back as other fields or lines.
std::string FormatProjectText(const TAppletData& parameters, const TItemArray& items,
                              IProgress& progress, const WebPageOptions& webPage = {});
int ProjectProgressMax(std::size_t itemCount);

}  // namespace zarvex
