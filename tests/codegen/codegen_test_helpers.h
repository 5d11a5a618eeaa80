// Shared pieces of the generator tests: a ready agent with its tree.
#pragma once

#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "model/preorder_tree.h"
#include "publish/applet_agent.h"
#include "support/files.h"
#include "support/recording_progress.h"
#include "support/scratch_folder.h"

namespace zarvex::testing {

// An agent with default parameters, a tree holding only the root, and its
// program folder set to a subfolder "program/" of scratch (created).
struct BuildFixture {
    explicit BuildFixture(const ScratchFolder& scratch);
    // Appends an item whose node is a last child of parentNode (0: the root);
    // returns the item's node. Keeps Items in tree pre-order.
    int Add(int parentNode, const std::string& text, const std::string& link = "");

    RecordingProgress progress;
    PreorderTree tree;
    TkavoAppletAgent agent{&progress};
    std::string programFolder;
};

}  // namespace zarvex::testing
