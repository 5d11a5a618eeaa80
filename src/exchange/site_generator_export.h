// Menu data for static site generators, made from a design's items: Hugo menu
// entries (TOML or YAML), Jekyll's nested _data/navigation.yml, and a nested JSON
// file for Eleventy or Astro. Each help page (data/help/export_*.htm) shows the
// template that reads it. A separator item with no children has no counterpart
// in these formats and is left out.
#pragma once

#include <string>
#include <vector>

#include "model/records.h"

namespace zarvex::exchange {

enum class SiteGenerator { HugoToml, HugoYaml, Jekyll, Eleventy };

// Entries of Hugo's menu menuName, with identifier (from the caption, made unique),
// name, url, weight (10, 20, ... among siblings), parent, title (the tool tip) and
// params.target when the target is not "_self".
std::string FormatSiteGeneratorData(SiteGenerator generator, const TItemArray& items,
                                    const std::vector<int>& treeLevels,
                                    const std::string& menuName = "main");

}  // namespace zarvex::exchange
