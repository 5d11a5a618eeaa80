// Shared pieces of the project and structure file tests.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "model/applet_agent.h"
#include "model/preorder_tree.h"
#include "model/progress.h"
#include "support/files.h"
#include "support/scratch_folder.h"

namespace zarvex::testing {

// Every call as one line of text, in order: "max 25", "step 10", "pos 0",
// "status Saving Data ... ...", "busy 1".
class RecordingProgress final : public IProgress {
  public:
    void SetProgressMax(int max) override { events.push_back("max " + std::to_string(max)); }
    void StepProgress(int delta) override { events.push_back("step " + std::to_string(delta)); }
    void SetProgressPosition(int p) override { events.push_back("pos " + std::to_string(p)); }
    void SetStatusText(const std::string& t) override { events.push_back("status " + t); }
    void SetBusy(bool busy) override { events.push_back(busy ? "busy 1" : "busy 0"); }
    // True when nothing was shown, or what was shown was taken back at the end.
    bool EndsReset() const;
    std::vector<std::string> events;
};

// "Zarvex\n  A\n    A1\n": each node on its line, indented two blanks per level.
std::string TreeDump(const PreorderTree& tree);

// A design that touches every kind of value: changed and "Transparent" colours,
// empty and reserved fields, bytes outside ASCII, three levels. The tree matches.
void FillSampleDesign(TkavoAppletAgent& agent, PreorderTree& tree);

}  // namespace zarvex::testing
