// Shared pieces of the generator tests: a progress recorder and a ready agent
// with its tree.
#pragma once

#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "model/applet_agent.h"
#include "model/preorder_tree.h"
#include "model/progress.h"
#include "support/files.h"
#include "support/scratch_folder.h"

namespace zarvex::testing {

// Remembers every status text shown and the current state of text, bar and cursor.
class RecordingProgress final : public IProgress {
  public:
    void SetProgressMax(int max) override { this->max = max; }
    void StepProgress(int delta) override { position += delta; }
    void SetProgressPosition(int p) override { position = p; }
    void SetStatusText(const std::string& text) override {
        status = text;
        statusHistory.push_back(text);
    }
    void SetBusy(bool b) override { busy = b; }

    int max = 0;
    int position = 0;
    bool busy = false;
    std::string status;
    std::vector<std::string> statusHistory;
};

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
