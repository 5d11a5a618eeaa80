// The design tree held in memory as a pre-order sequence of levels and captions.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "model/design_tree.h"

namespace zarvex {

class PreorderTree final : public IDesignTree {
  public:
    PreorderTree() { ResetToRoot(); }

    int NodeCount() const override { return static_cast<int>(levels_.size()); }
    int NodeLevel(int absIndex) const override { return levels_.at(absIndex); }
    void ResetToRoot() override;
    void AppendNodes(const std::vector<int>& levels,
                     const std::vector<std::string>& captions) override;
    void AppendItemNodes(const std::vector<int>& levels, const TItemArray& items) override;

    std::string_view Caption(int absIndex) const;
    const std::vector<int>& Levels() const { return levels_; }

    // Editing, for tests and tools: insert a last child of parent; returns its index.
    int AddLastChild(int parent, const std::string& caption);

  private:
    void AppendCaption(std::string_view caption);

    std::vector<int> levels_;
    // Compact, as the command-line tool holds a whole design: every caption's bytes in
    // one text, node k's from captionEnds_[k - 1] (0 for the root) to captionEnds_[k].
    std::string captionText_;
    std::vector<std::size_t> captionEnds_;
};

}  // namespace zarvex
