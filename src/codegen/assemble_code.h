// The one assembly of a design's generated texts, shared by the build that writes files
// and the build in memory that a preview stages.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "codegen/code_generator.h"

namespace zarvex {

// Positions in LinkedFiles of the entries the build renames after the menu.
inline constexpr std::size_t kConfigScriptEntry = 1;
inline constexpr std::size_t kStylesheetEntry = 2;

// The images a design uses, by the names the stylesheet and the page give them: the
// menu's nine image fields (arrow first), the shadow, then each item's icon; blank
// names left out, repeats kept.
std::vector<std::string> ResourceNames(const TAppletData& menu, const TItemArray& items);

// Checks that agent's design can be built (BuildError) and assembles its stylesheet,
// configuration script and snippet from menu, items and linked: agent's own records or
// copies of them. Those three are prepared in place (levels, parents, rewritten links,
// the list id and the two file names); a refusal, also a ConversionError, leaves them as
// they were.
GeneratedCode AssembleCode(const AppletDesign& agent, TAppletData& menu, TItemArray& items,
                           TLinkedFileInfoArray& linked);

}  // namespace zarvex
