// The general menu structure file (*.gms): the item tree alone, five fields per
// item. AppletDesign::ExportStructure / ImportStructure are built on these
// two functions; the fuzzer and the tests call them directly.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "model/records.h"

namespace zarvex {

inline constexpr std::string_view kStructureRefusedMessage =
    "This file wasn't saved by specified format, open failed!";

// A structure file that was read whole and checked; nothing in it is yet applied.
struct StructureFileContent {
    TItemArray items;  // NewItemRecord() with the five carried fields set
    std::string version;
    std::vector<int> treeLevels;  // per item, its node's tree level (Level + 1)
};

// Parses and checks a whole structure file held in memory; FileFormatError
// (naming path) when it is refused. onItemsFound runs once the item section was
// found, where the importer starts showing progress.
StructureFileContent ParseStructureText(std::string_view text, const std::string& path,
                                        const std::function<void()>& onItemsFound = {});

// The file's text for the items, with their Level fields as held. BuildError
// when a carried field holds the separator or a line break.
std::string FormatStructureText(const TItemArray& items);

}  // namespace zarvex
