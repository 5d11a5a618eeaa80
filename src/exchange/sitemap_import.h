// A sitemap (https://www.sitemaps.org/protocol.html) as a menu: one item per path
// segment of its addresses, in the order they first appear. An item's link is the
// address whose path ends there, if any; its caption is the last segment made
// readable ("our-team.html" -> "Our team"). A sitemap index brings in the sitemaps
// it names that lie beside it, found by their file names.
#pragma once

#include <string>
#include <string_view>

#include "exchange/imported_design.h"

namespace zarvex::exchange {

inline constexpr int kDefaultSitemapDepth = 3;

// Reads the sitemap (or index) at path. Addresses with more than maxDepth path
// segments are left out with a warning. FileFormatError naming the file and line
// for XML that does not parse or is no sitemap, and for a named sitemap that is
// not beside the index.
ImportedDesign ImportSitemapFile(const std::string& path, int maxDepth = kDefaultSitemapDepth);

// The same for a sitemap held in memory; an index is refused (its files cannot be found).
ImportedDesign ParseSitemapText(std::string_view text, const std::string& path,
                                int maxDepth = kDefaultSitemapDepth);

// "our-team.html" -> "Our team"; percent escapes decoded.
std::string ReadableSegment(std::string_view segment);

}  // namespace zarvex::exchange
