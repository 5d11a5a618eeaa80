// Finding items by what the author remembers of them: a piece of the caption or the link.
#pragma once

#include <string_view>
#include <vector>

#include "model/records.h"

namespace zarvex {

// The indexes of the items whose Text or Link holds query, in order; ASCII letters match
// in either case. An empty query finds nothing. One pass over the records, no copies, so
// that a search of 100,000 items keeps up with typing.
std::vector<int> FindItems(const TItemArray& items, std::string_view query);

}  // namespace zarvex
