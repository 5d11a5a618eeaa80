// What the core needs of the design tree. The window implements it over its tree
// view; PreorderTree implements it in memory for the command-line tool and tests.
//
// Nodes are addressed by absolute index: their position in pre-order, the root
// being 0. Level is depth: 0 for the root, 1 for a node directly under it.
#pragma once

#include <string>
#include <vector>

#include "model/records.h"

namespace zarvex {

inline constexpr const char* kRootCaption = "Zarvex";

class IDesignTree {
  public:
    virtual ~IDesignTree() = default;

    virtual int NodeCount() const = 0;              // root included
    virtual int NodeLevel(int absIndex) const = 0;  // root is 0

    // Reduces the tree to its root node captioned "Zarvex".
    virtual void ResetToRoot() = 0;

    // Appends item nodes behind the current last node, in pre-order, after
    // ResetToRoot(). levels holds tree levels (>= 1) forming a valid pre-order
    // sequence (first 1, never rising by more than one); captions match.
    virtual void AppendNodes(const std::vector<int>& levels,
                             const std::vector<std::string>& captions) = 0;

    // AppendNodes with each item's Text as its caption. A tree that reads its captions
    // elsewhere, or keeps them in less room, takes them from the items directly rather
    // than through a copy of every text.
    virtual void AppendItemNodes(const std::vector<int>& levels, const TItemArray& items) {
        std::vector<std::string> captions;
        captions.reserve(items.size());
        for (const TItemData& item : items)
            captions.emplace_back(item.Text.view());
        AppendNodes(levels, captions);
    }
};

}  // namespace zarvex
