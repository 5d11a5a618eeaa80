// One refresh of the live preview, split so that the window never waits for it: the GUI
// thread takes a copy of the design (PreviewSnapshot::Of), a worker builds and stages it
// (BuildPreview), and the GUI thread shows the result only if no edit came in between.
#pragma once

#include <QString>
#include <memory>
#include <string>
#include <vector>

#include "publish/applet_agent.h"

namespace zarvex::ui {

class LivePreviewStage;

// The design tree's shape alone: what a build reads of the tree.
class LevelsTree final : public IDesignTree {
  public:
    LevelsTree() { ResetToRoot(); }
    int NodeCount() const override { return static_cast<int>(levels_.size()); }
    int NodeLevel(int absIndex) const override { return levels_.at(absIndex); }
    void ResetToRoot() override { levels_.assign(1, 0); }
    void AppendNodes(const std::vector<int>& levels, const std::vector<std::string>&) override {
        levels_.insert(levels_.end(), levels.begin(), levels.end());
    }

  private:
    std::vector<int> levels_;
};

// What a build and the staging read of a design, owned by the snapshot: the worker reads
// it while the window goes on editing its own.
struct PreviewSnapshot {
    // Copies agent's records, folders and tree shape at once. Throws BuildError when the
    // agent has no tree attached.
    static std::unique_ptr<PreviewSnapshot> Of(const TkavoAppletAgent& agent);

    TkavoAppletAgent agent;
    LevelsTree tree;
};

// Takes a PreviewSnapshot a slice at a time, so that a large design's copy never holds
// the window's thread for long: the window lets its events run between slices and drops
// the taker when an edit comes in between.
class SnapshotTaker {
  public:
    // Copies all of agent but its items and tree. Throws BuildError when the agent has
    // no tree attached.
    explicit SnapshotTaker(const TkavoAppletAgent& agent);
    // Copies items for about budgetMs milliseconds; true when all are copied. A change of
    // the item count since the last slice starts the copy over.
    bool CopyMore(const TkavoAppletAgent& agent, int budgetMs);
    // After CopyMore returned true: the tree's shape is copied and the snapshot handed out.
    std::unique_ptr<PreviewSnapshot> Take(const TkavoAppletAgent& agent);

  private:
    std::unique_ptr<PreviewSnapshot> snapshot_;
    std::size_t itemCount_ = 0;
};

// What a worker hands back. error is empty when the page was staged.
struct PreviewResult {
    QString error;
    bool empty = false;       // the design has no items
    std::string signature;    // PageSignature of the built page
    QString swap;             // SwapScript, when the signature is loadedSignature
    qint64 milliseconds = 0;  // building and staging
};

// Builds snapshot's design, writes it into stage, and, when the page now loaded links what
// the new one links (loadedSignature), makes the script that swaps it in. Runs on any
// thread; stage must not be used by another at the same time.
PreviewResult BuildPreview(const PreviewSnapshot& snapshot, LivePreviewStage& stage,
                           const std::string& loadedSignature);

}  // namespace zarvex::ui
