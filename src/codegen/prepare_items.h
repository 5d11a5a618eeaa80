// The build's first step: items take their level and parent from the tree, and
// their links are moved between the site's local and web roots.
#pragma once

#include <string>
#include <string_view>

#include "model/records.h"
#include "model/tree_shape.h"

namespace zarvex {

// Replaces every occurrence of from in link by to, ignoring letter case. When to
// itself contains from, text that already reads to is left as it is, so that
// building again (or a link already in the target form) never nests one root
// inside another.
std::string RewriteLinkRoot(std::string_view link, std::string_view from, std::string_view to);

// Sets Level and ParentIndex of item k from tree node k + 1 and applies the root
// replacement to every Link when both roots are non-blank: web root to local root
// when UseLocalPaths is "1", local to web otherwise. items must hold exactly one
// record per non-root node of shape.
void PrepareItemsForBuild(const TAppletData& menu, TItemArray& items, const TreeShape& shape);

}  // namespace zarvex
