// Shared pieces of the project and structure file tests.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "model/preorder_tree.h"
#include "publish/applet_agent.h"
#include "support/files.h"
#include "support/recording_progress.h"
#include "support/scratch_folder.h"

namespace zarvex::testing {

// "Zarvex\n  A\n    A1\n": each node on its line, indented two blanks per level.
std::string TreeDump(const PreorderTree& tree);

// A design that touches every kind of value: changed and "Transparent" colours,
// empty and reserved fields, bytes outside ASCII, three levels. The tree matches.
void FillSampleDesign(TkavoAppletAgent& agent, PreorderTree& tree);

}  // namespace zarvex::testing
