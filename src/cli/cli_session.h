// One run of the command-line tool: an agent with an in-memory design tree that
// reads the program's data from the data folder and keeps its build outputs and
// preview folder in a scratch folder of its own, so a running editor is never
// disturbed.
#pragma once

#include <string>

#include "cli/scratch_folder.h"
#include "model/preorder_tree.h"
#include "publish/applet_agent.h"

namespace zarvex::cli {

class CliSession {
  public:
    explicit CliSession(const std::string& dataFolder);

    // Opens a project as the window's Open does: loads it and stages its images
    // from its folder. stageImages false loads only.
    void Open(const std::string& projectPath, bool stageImages);

    // Builds the design as the Build HTML step does and returns the page text.
    std::string BuildPage();

    TkavoAppletAgent& agent() { return agent_; }
    PreorderTree& tree() { return tree_; }
    const ScratchFolder& scratch() const { return scratch_; }

  private:
    ScratchFolder scratch_;
    PreorderTree tree_;
    TkavoAppletAgent agent_;
};

// The folder of a file path, absolute and with a trailing '/'.
std::string FolderOf(const std::string& filePath);

}  // namespace zarvex::cli
