// The one assembly of a design's generated texts, shared by the build that writes files
// and the build in memory that a preview stages.
#pragma once

#include "model/applet_agent.h"

namespace zarvex {

// Checks that agent's design can be built (BuildError) and assembles its stylesheet,
// configuration script and snippet from menu, items and linked: agent's own records or
// copies of them. Those three are prepared in place (levels, parents, rewritten links,
// the list id and the two file names); a refusal, also a ConversionError, leaves them as
// they were.
TkavoAppletAgent::GeneratedCode AssembleCode(const TkavoAppletAgent& agent, TAppletData& menu,
                                             TItemArray& items, TLinkedFileInfoArray& linked);

}  // namespace zarvex
