// The design tree held in memory as a pre-order sequence of levels and captions.
#pragma once

#include <string>
#include <vector>

#include "model/design_tree.h"
#include "model/field_text.h"

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

    const FieldText& Caption(int absIndex) const { return captions_.at(absIndex); }
    const std::vector<int>& Levels() const { return levels_; }

    // Editing, for tests and tools: insert a last child of parent; returns its index.
    int AddLastChild(int parent, const std::string& caption);

  private:
    std::vector<int> levels_;
    std::vector<FieldText> captions_;  // compact: the command-line tool holds a whole design
};

}  // namespace zarvex
